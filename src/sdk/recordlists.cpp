#include "norq/lists.h"
#include "sdk/handle.h"
#include "sdk/recordlistimpl.h"

namespace Norq {

namespace {

template <typename Impl, typename Record>
void pushRecord(Impl*& impl, Record* record) {
    if (record) contentOf(impl).records.push_back(record);
}

template <typename Impl>
const auto& recordAt(Impl*& impl, int i) {
    Impl& content = contentOf(impl);
    if (i < 0 || static_cast<size_t>(i) >= content.records.size()) return content.fallback;
    return *content.records[static_cast<size_t>(i)];
}

template <typename Impl>
int sizeOf(const Impl* impl) {
    return impl ? static_cast<int>(impl->records.size()) : 0;
}

}  // namespace

#define NORQ_DEFINE_SEQUENCE_LIST(List, Record) \
    NORQ_DEFINE_HANDLE(List)                    \
    void List::push(Record* record) {           \
        pushRecord(impl, record);               \
    }                                           \
    const Record& List::get(int i) {            \
        return recordAt(impl, i);               \
    }                                           \
    int List::getSize() const {                 \
        return sizeOf(impl);                    \
    }

#define NORQ_DEFINE_PAGING(List)             \
    bool List::isLast() const {              \
        return impl && impl->last;           \
    }                                        \
    void List::setLast(bool last) {          \
        contentOf(impl).last = last;         \
    }                                        \
    int List::totalCount() const {           \
        return impl ? impl->total_count : 0; \
    }                                        \
    void List::setTotalCount(int count) {    \
        contentOf(impl).total_count = count; \
    }

NORQ_DEFINE_SEQUENCE_LIST(OrderList, Order)
NORQ_DEFINE_PAGING(OrderList)
NORQ_DEFINE_SEQUENCE_LIST(ExecutionList, Execution)
NORQ_DEFINE_PAGING(ExecutionList)
NORQ_DEFINE_SEQUENCE_LIST(PositionList, Position)
NORQ_DEFINE_SEQUENCE_LIST(TickDataList, Tick)
NORQ_DEFINE_SEQUENCE_LIST(KLineDataList, KLineData)
NORQ_DEFINE_SEQUENCE_LIST(EtfConstituentList, EtfConstituentInfo)
NORQ_DEFINE_SEQUENCE_LIST(IndexComponentList, IndexComponent)
NORQ_DEFINE_SEQUENCE_LIST(MarginContractList, MarginContract)

}  // namespace Norq
