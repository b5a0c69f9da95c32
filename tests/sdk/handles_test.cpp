// The transfer-on-copy rule shared by every SDK handle: copying or assigning
// hands the content over and leaves the source empty but usable.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "norq/lists.h"
#include "norq/strategyparams.h"

namespace {

using namespace Norq;

// Each kind of handle: how to add one item tagged `tag`, and its content as
// one text: the items, then what a lookup of "A" (or past the end) answers.
struct Symbols {
    using Type = SymbolList;
    static constexpr bool kRecords = false;
    static void fill(Type& list, const char* tag) { list.put(tag); }
    static std::string read(Type& list) {
        std::string out;
        for (int i = 0; i < list.getSize(); ++i) out += std::string(list.get(i).str()) + ",";
        return out + "|" + std::to_string(list.index("A"));
    }
};

// A sequence list whose records carry the tag in the text field `Field`.
template <typename List, typename Record, auto Field>
struct Sequence {
    using Type = List;
    static constexpr bool kRecords = true;
    static void fill(Type& list, const char* tag) {
        Record* record = new Record{};
        std::strcpy(record->*Field, tag);
        list.push(record);
    }
    static std::string read(Type& list) {
        std::string out;
        for (int i = 0; i < list.getSize(); ++i) out += std::string(list.get(i).*Field) + ",";
        return out + "|" + (list.get(list.getSize()).*Field);
    }
    static const void* record(Type& list, int i) { return &list.get(i); }
};

struct MarginAccounts {
    using Type = MarginAccountSecurityList;
    static constexpr bool kRecords = true;
    static void fill(Type& list, const char* tag) {
        MarginSecurityInfo* info = new MarginSecurityInfo{};
        info->loan_available_qty = std::strlen(tag);
        list.push(tag, info);
    }
    static std::string read(Type& list) {
        std::string out;
        for (int i = 0; i < list.getSize(); ++i) out += std::string(list.getSymbol(i).str()) + ",";
        return out + "|" + std::to_string(list.marginSecurityInfo("A").loan_available_qty);
    }
    static const void* record(Type& list, int i) { return &list.marginSecurityInfo(i); }
};

struct MarginAssures {
    using Type = MarginAssureSecurityList;
    static constexpr bool kRecords = false;
    static void fill(Type& list, const char* tag) { list.push(tag, std::strlen(tag) / 10.0); }
    static std::string read(Type& list) {
        std::string out;
        for (int i = 0; i < list.getSize(); ++i) out += std::string(list.getSymbol(i).str()) + ",";
        return out + "|" + std::to_string(list.discountRatio("A"));
    }
};

struct Params {
    using Type = StrategyParams;
    static constexpr bool kRecords = false;
    static void fill(Type& params, const char* tag) { params.addStrParam(tag, tag, ""); }
    static std::string read(Type& params) { return params.getStrategyParams().str(); }
};

template <typename Kind>
class Handles : public ::testing::Test {};

using Kinds = ::testing::Types<
    Symbols, Sequence<OrderList, Order, &Order::symbol>, Sequence<ExecutionList, Execution, &Execution::trade_id>,
    Sequence<PositionList, Position, &Position::symbol>, Sequence<TickDataList, Tick, &Tick::symbol>,
    Sequence<KLineDataList, KLineData, &KLineData::datetime>,
    Sequence<EtfConstituentList, EtfConstituentInfo, &EtfConstituentInfo::symbol>,
    Sequence<IndexComponentList, IndexComponent, &IndexComponent::component_code_a>,
    Sequence<MarginContractList, MarginContract, &MarginContract::symbol>, MarginAccounts, MarginAssures, Params>;
TYPED_TEST_SUITE(Handles, Kinds);

TYPED_TEST(Handles, CopyingTransfersTheContentAndLeavesTheSourceEmpty) {
    using Kind = TypeParam;
    using Handle = typename Kind::Type;
    Handle empty;
    const std::string none = Kind::read(empty);
    Handle source;
    Kind::fill(source, "A");
    Kind::fill(source, "BB");
    const std::string content = Kind::read(source);
    ASSERT_NE(content, none);
    const void* record = nullptr;
    if constexpr (Kind::kRecords) record = Kind::record(source, 1);  // the records move, not copies

    Handle copy(source);
    EXPECT_EQ(Kind::read(copy), content);
    EXPECT_EQ(Kind::read(source), none);

    Handle target;
    Kind::fill(target, "old");
    target = copy;
    EXPECT_EQ(Kind::read(target), content);
    EXPECT_EQ(Kind::read(copy), none);
    Handle& alias = target;
    target = alias;
    EXPECT_EQ(Kind::read(target), content);

    Handle moved(std::move(target));
    EXPECT_EQ(Kind::read(moved), content);
    EXPECT_EQ(Kind::read(target), none);
    if constexpr (Kind::kRecords) {
        EXPECT_EQ(Kind::record(moved, 1), record);
    }

    // Left empty by a transfer, a handle takes new content and can be assigned to.
    Handle fresh;
    Kind::fill(fresh, "C");
    Kind::fill(source, "C");
    EXPECT_EQ(Kind::read(source), Kind::read(fresh));
    copy = moved;
    EXPECT_EQ(Kind::read(copy), content);
}

}  // namespace
