// The SDK's record lists. Each is a handle over an implementation object in
// the adapter library. Copying transfers the content (the source is left
// with none and may only be destroyed or assigned to). A list owns every
// record pushed into it: push records allocated with `new`; the list
// deletes them when it goes. References from get() live as long as the list.
#pragma once

#include <cstdint>

#include "norq/export.h"
#include "norq/records.h"
#include "norq/zqstring.h"

// One sequence list: records in push order, read by position; positions
// outside the list give a zero-filled fallback record. `Extra` adds members.
#define NORQ_SEQUENCE_LIST(List, Record, Extra) \
    class List##Impl;                           \
    class NORQ_EXPORT List {                    \
    public:                                     \
        List();                                 \
        List(List& o);                          \
        List(List&& o);                         \
        List& operator=(List& o);               \
        ~List();                                \
        /* null is ignored */                   \
        void push(Record* record);              \
        const Record& get(int i);               \
        int getSize() const;                    \
        Extra private : List##Impl* impl;       \
    };

// Paging of order and execution queries: whether the platform reported this
// page as the last one, and how many records match in all.
#define NORQ_PAGED_LIST_MEMBERS \
    bool isLast() const;        \
    void setLast(bool last);    \
    int totalCount() const;     \
    void setTotalCount(int count);

namespace Norq {

NORQ_SEQUENCE_LIST(OrderList, Order, NORQ_PAGED_LIST_MEMBERS)
NORQ_SEQUENCE_LIST(ExecutionList, Execution, NORQ_PAGED_LIST_MEMBERS)
NORQ_SEQUENCE_LIST(PositionList, Position, )
NORQ_SEQUENCE_LIST(TickDataList, Tick, )
NORQ_SEQUENCE_LIST(KLineDataList, KLineData, )
NORQ_SEQUENCE_LIST(EtfConstituentList, EtfConstituentInfo, )
NORQ_SEQUENCE_LIST(IndexComponentList, IndexComponent, )
NORQ_SEQUENCE_LIST(MarginContractList, MarginContract, )

class MarginAccountSecurityListImpl;

// Lendable securities by symbol. Positions follow the map's own order, which
// a later push may change.
class NORQ_EXPORT MarginAccountSecurityList {
public:
    MarginAccountSecurityList();
    MarginAccountSecurityList(MarginAccountSecurityList& o);
    MarginAccountSecurityList(MarginAccountSecurityList&& o);
    MarginAccountSecurityList& operator=(MarginAccountSecurityList& o);
    ~MarginAccountSecurityList();

    // Ignored when either is null; a second record for a symbol replaces
    // (and releases) the first.
    void push(const char* symbol, MarginSecurityInfo* info);
    const MarginSecurityInfo& marginSecurityInfo(int i);
    const MarginSecurityInfo& marginSecurityInfo(const char* symbol);
    ZqString getSymbol(int i);
    int getSize() const;

private:
    MarginAccountSecurityListImpl* impl;
};

class MarginAssureSecurityListImpl;

// Collateral securities by symbol with their discount ratios. Positions
// follow the map's own order, which a later push may change.
class NORQ_EXPORT MarginAssureSecurityList {
public:
    MarginAssureSecurityList();
    MarginAssureSecurityList(MarginAssureSecurityList& o);
    MarginAssureSecurityList(MarginAssureSecurityList&& o);
    MarginAssureSecurityList& operator=(MarginAssureSecurityList& o);
    ~MarginAssureSecurityList();

    // Inserts or overwrites; a null symbol is ignored.
    void push(const char* symbol, double ratio);
    double discountRatio(int i);               // 0.0 out of range
    double discountRatio(const char* symbol);  // 0.0 when absent
    ZqString getSymbol(int i);
    int getSize() const;

private:
    MarginAssureSecurityListImpl* impl;
};

}  // namespace Norq

#undef NORQ_SEQUENCE_LIST
#undef NORQ_PAGED_LIST_MEMBERS
