// The content behind the sequence-list handles: one body for the whole
// family. A list owns the records it points to and deletes them with itself.
#pragma once

#include <cstdint>
#include <vector>

#include "norq/records.h"

namespace Norq {

template <typename Record>
class SequenceListImpl {
public:
    SequenceListImpl() = default;
    SequenceListImpl(const SequenceListImpl&) = delete;
    SequenceListImpl& operator=(const SequenceListImpl&) = delete;
    virtual ~SequenceListImpl() {
        for (Record* record : records) delete record;
    }

    std::vector<Record*> records;
    Record fallback{};  // handed out for positions outside the list
};

template <typename Record>
class PagedListImpl : public SequenceListImpl<Record> {
public:
    bool last = false;
    int32_t total_count = 0;
};

class OrderListImpl : public PagedListImpl<Order> {};
class ExecutionListImpl : public PagedListImpl<Execution> {};
class PositionListImpl : public SequenceListImpl<Position> {};
class TickDataListImpl : public SequenceListImpl<Tick> {};
class KLineDataListImpl : public SequenceListImpl<KLineData> {};
class EtfConstituentListImpl : public SequenceListImpl<EtfConstituentInfo> {};
class IndexComponentListImpl : public SequenceListImpl<IndexComponent> {};
class MarginContractListImpl : public SequenceListImpl<MarginContract> {};

}  // namespace Norq
