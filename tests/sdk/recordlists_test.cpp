// Record lists: positions, fallbacks and ownership (their transfer rule:
// handles_test.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "norq/lists.h"

namespace {

using namespace Norq;

Order* newOrder(const char* symbol, int amount) {
    Order* order = new Order{};
    std::strcpy(order->symbol, symbol);
    order->amount = amount;
    return order;
}

MarginSecurityInfo* newInfo(const char* symbol, int64_t quantity) {
    MarginSecurityInfo* info = new MarginSecurityInfo{};
    std::strcpy(info->symbol, symbol);
    info->loan_available_qty = quantity;
    return info;
}

TEST(SequenceList, PositionsOutsideTheListGiveTheZeroFallback) {
    OrderList list;
    list.push(newOrder("600000.SH", 100));
    for (int i : {-1, 1, 1000}) {
        const Order& fallback = list.get(i);
        EXPECT_STREQ(fallback.symbol, "") << i;
        EXPECT_STREQ(fallback.order_id, "") << i;
        EXPECT_EQ(fallback.amount, 0) << i;
        EXPECT_EQ(fallback.price, 0.0) << i;
    }
    EXPECT_STREQ(list.get(0).symbol, "600000.SH");
}

TEST(SequenceList, PushKeepsOrderAndTheRecordItselfAndIgnoresNull) {
    PositionList list;
    Position* first = new Position{};
    Position* second = new Position{};
    list.push(first);
    list.push(nullptr);
    list.push(second);
    EXPECT_EQ(list.getSize(), 2);
    EXPECT_EQ(&list.get(0), first);
    EXPECT_EQ(&list.get(1), second);
}

TEST(SequenceList, PagingFlagsStartClearAndAreKept) {
    ExecutionList list;
    EXPECT_FALSE(list.isLast());
    EXPECT_EQ(list.totalCount(), 0);
    list.setLast(true);
    list.setTotalCount(1234);
    ExecutionList moved(list);
    EXPECT_TRUE(moved.isLast());
    EXPECT_EQ(moved.totalCount(), 1234);
    EXPECT_FALSE(list.isLast());
    EXPECT_EQ(list.totalCount(), 0);
}

TEST(MarginAccountSecurityList, LooksUpBySymbolAndPosition) {
    MarginAccountSecurityList list;
    list.push("600000.SH", newInfo("600000.SH", 100));
    list.push("000001.SZ", newInfo("000001.SZ", 200));
    EXPECT_EQ(list.getSize(), 2);
    EXPECT_EQ(list.marginSecurityInfo("000001.SZ").loan_available_qty, 200);
    std::set<std::string> symbols;
    for (int i = 0; i < list.getSize(); ++i) {
        std::string symbol = list.getSymbol(i).str();
        symbols.insert(symbol);
        EXPECT_EQ(&list.marginSecurityInfo(i), &list.marginSecurityInfo(symbol.c_str()));
    }
    EXPECT_EQ(symbols, (std::set<std::string>{"600000.SH", "000001.SZ"}));
}

TEST(MarginAccountSecurityList, AbsentNullAndOutOfRangeGiveFallbacks) {
    MarginAccountSecurityList list;
    list.push("600000.SH", newInfo("600000.SH", 100));
    MarginSecurityInfo* refused = newInfo("x", 1);
    list.push(nullptr, refused);
    delete refused;  // not taken: the list owns only what it stored
    EXPECT_EQ(list.getSize(), 1);
    EXPECT_STREQ(list.marginSecurityInfo(nullptr).symbol, "");
    EXPECT_EQ(list.marginSecurityInfo("600000.sh").loan_available_qty, 0);
    EXPECT_EQ(list.marginSecurityInfo(-1).loan_available_qty, 0);
    EXPECT_EQ(list.marginSecurityInfo(1).loan_available_qty, 0);
    EXPECT_STREQ(list.getSymbol(1).str(), "");
    EXPECT_STREQ(list.getSymbol(-1).str(), "");
    list.push("000001.SZ", nullptr);
    EXPECT_EQ(list.getSize(), 1);
}

TEST(MarginAccountSecurityList, ASecondRecordReplacesTheFirst) {
    MarginAccountSecurityList list;
    MarginSecurityInfo* kept = newInfo("600000.SH", 100);
    list.push("600000.SH", kept);
    list.push("600000.SH", kept);  // the same record again stays
    list.push("600000.SH", newInfo("600000.SH", 300));
    EXPECT_EQ(list.getSize(), 1);
    EXPECT_EQ(list.marginSecurityInfo("600000.SH").loan_available_qty, 300);
}

TEST(MarginAssureSecurityList, OverwritesAndAnswersZeroForUnknowns) {
    MarginAssureSecurityList list;
    list.push("600000.SH", 0.7);
    list.push("600000.SH", 0.65);
    list.push("000001.SZ", 0.5);
    list.push(nullptr, 0.9);
    EXPECT_EQ(list.getSize(), 2);
    EXPECT_DOUBLE_EQ(list.discountRatio("600000.SH"), 0.65);
    EXPECT_DOUBLE_EQ(list.discountRatio("unknown"), 0.0);
    EXPECT_DOUBLE_EQ(list.discountRatio(nullptr), 0.0);
    EXPECT_DOUBLE_EQ(list.discountRatio(2), 0.0);
    EXPECT_DOUBLE_EQ(list.discountRatio(-1), 0.0);
    for (int i = 0; i < list.getSize(); ++i) {
        EXPECT_DOUBLE_EQ(list.discountRatio(i), list.discountRatio(list.getSymbol(i).str()));
    }
}

}  // namespace
