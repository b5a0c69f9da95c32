// Record and symbol lists: positions, fallbacks, ownership, lookups and joins
// (their transfer rule: handles_test.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "bytes.h"
#include "norq/lists.h"
#include "norq/zqstring.h"

namespace {

using namespace Norq;
using fake::isAllZero;

MarginSecurityInfo* newInfo(const char* symbol, int64_t quantity) {
    MarginSecurityInfo* info = new MarginSecurityInfo{};
    std::strcpy(info->symbol, symbol);
    info->loan_available_qty = quantity;
    return info;
}

TEST(SequenceList, PushKeepsOrderAndTheRecordItselfIgnoresNullAndFallsBackToZero) {
    OrderList list;
    Order* first = new Order{};
    Order* second = new Order{};
    std::strcpy(first->symbol, "600000.SH");
    list.push(first);
    list.push(nullptr);
    list.push(second);
    EXPECT_EQ(list.getSize(), 2);
    EXPECT_EQ(&list.get(0), first);
    EXPECT_EQ(&list.get(1), second);
    for (int i : {-1, 2, 1000}) EXPECT_TRUE(isAllZero(list.get(i))) << i;
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

// A symbol's second record replaces the first (the same record again stays);
// null symbols and null records are refused; the list owns only what it stored.
TEST(MarginAccountSecurityList, LooksUpBySymbolAndPositionWithZeroFallbacks) {
    MarginAccountSecurityList list;
    MarginSecurityInfo* kept = newInfo("600000.SH", 100);
    list.push("600000.SH", kept);
    list.push("600000.SH", kept);
    list.push("000001.SZ", newInfo("000001.SZ", 200));
    list.push("000001.SZ", newInfo("000001.SZ", 300));
    MarginSecurityInfo* refused = newInfo("x", 1);
    list.push(nullptr, refused);
    delete refused;
    list.push("600001.SH", nullptr);
    EXPECT_EQ(list.getSize(), 2);
    std::set<std::string> symbols;
    for (int i = 0; i < list.getSize(); ++i) {
        std::string symbol = list.getSymbol(i).str();
        symbols.insert(symbol + "=" + std::to_string(list.marginSecurityInfo(i).loan_available_qty));
        EXPECT_EQ(&list.marginSecurityInfo(i), &list.marginSecurityInfo(symbol.c_str()));
    }
    EXPECT_EQ(symbols, (std::set<std::string>{"600000.SH=100", "000001.SZ=300"}));
    for (const char* absent : {"600000.sh", static_cast<const char*>(nullptr)})
        EXPECT_TRUE(isAllZero(list.marginSecurityInfo(absent))) << (absent ? absent : "(null)");
    for (int i : {-1, 2}) {
        EXPECT_TRUE(isAllZero(list.marginSecurityInfo(i))) << i;
        EXPECT_STREQ(list.getSymbol(i).str(), "") << i;
    }
}

TEST(MarginAssureSecurityList, OverwritesAndAnswersZeroForUnknowns) {
    MarginAssureSecurityList list;
    list.push("600000.SH", 0.7);
    list.push("600000.SH", 0.65);
    list.push("000001.SZ", 0.5);
    list.push(nullptr, 0.9);
    EXPECT_EQ(list.getSize(), 2);
    EXPECT_DOUBLE_EQ(list.discountRatio("600000.SH"), 0.65);
    for (const char* unknown : {"unknown", static_cast<const char*>(nullptr)})
        EXPECT_EQ(list.discountRatio(unknown), 0);
    for (int i : {-1, 2}) EXPECT_EQ(list.discountRatio(i), 0) << i;
    for (int i = 0; i < list.getSize(); ++i)
        EXPECT_DOUBLE_EQ(list.discountRatio(i), list.discountRatio(list.getSymbol(i).str()));
}

std::vector<std::string> entries(const SymbolList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.getSize(); ++i) out.push_back(list.get(i).str());
    return out;
}

SymbolList makeList(std::initializer_list<const char*> symbols) {
    SymbolList list;
    for (const char* s : symbols) list.put(s);
    return list;
}

TEST(SymbolList, PutKeepsAllButNullAndLookupsAreExact) {
    SymbolList list = makeList({"000001.SZ", "600000.SH", "600000.SH", "", nullptr});
    EXPECT_EQ(entries(list), (std::vector<std::string>{"000001.SZ", "600000.SH", "600000.SH", ""}));
    for (int i : {-1, 4}) EXPECT_STREQ(list.get(i).str(), "") << i;
    EXPECT_EQ(list.index("600000.SH"), 1);
    EXPECT_EQ(list.index(""), 3);
    for (const char* absent : {"600000.sh", "600000", "600000.SH ", static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(list.index(absent), -1) << (absent ? absent : "(null)");
    }
    SymbolList empty;
    EXPECT_EQ(empty.index("600000.SH"), -1);
}

// Appending leaves the other list alone; joining moves the left list's
// content into the result.
TEST(SymbolList, AppendingAndJoining) {
    SymbolList a = makeList({"A", "B"});
    SymbolList b = makeList({"C"});
    a += b;
    EXPECT_EQ(entries(a), (std::vector<std::string>{"A", "B", "C"}));
    a += a;
    EXPECT_EQ(entries(a), (std::vector<std::string>{"A", "B", "C", "A", "B", "C"}));
    SymbolList emptied = makeList({"X"});
    SymbolList taken(emptied);
    emptied += b;
    EXPECT_EQ(entries(emptied), (std::vector<std::string>{"C"}));
    SymbolList joined = emptied + b;
    EXPECT_EQ(entries(joined), (std::vector<std::string>{"C", "C"}));
    EXPECT_EQ(emptied.getSize(), 0);
    EXPECT_EQ(entries(b), (std::vector<std::string>{"C"}));
}

}  // namespace
