// The SDK's lists: positions, fallbacks, ownership, lookups and joins, and
// the transfer-on-copy rule every SDK handle shares: copying or assigning
// hands the content over and leaves the source empty but usable (for
// StrategyParams: strategyparams_test.cpp).
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bytes.h"
#include "norq/lists.h"
#include "norq/zqstring.h"

namespace {

using namespace Norq;
using fake::isAllZero;

TEST(SequenceList, PushKeepsOrderAndTheRecordItselfIgnoresNullAndFallsBackToZero) {
    OrderList list;
    Order* first = new Order{};
    Order* second = new Order{};
    list.push(first);
    list.push(nullptr);
    list.push(second);
    EXPECT_EQ(std::make_tuple(list.getSize(), &list.get(0), &list.get(1)), std::make_tuple(2, first, second));
    for (int i : {-1, 2}) EXPECT_TRUE(isAllZero(list.get(i))) << i;
}

// A symbol's second record replaces the first (the same record again stays);
// null symbols and null records are refused; the list owns only what it stored.
TEST(MarginAccountSecurityList, LooksUpBySymbolAndPositionWithZeroFallbacks) {
    MarginAccountSecurityList list;
    MarginSecurityInfo* kept = new MarginSecurityInfo{100, 0, 0, ""};
    list.push("600000.SH", kept);
    list.push("600000.SH", kept);
    list.push("000001.SZ", new MarginSecurityInfo{200, 0, 0, ""});
    list.push("000001.SZ", new MarginSecurityInfo{300, 0, 0, ""});
    MarginSecurityInfo refused{};
    list.push(nullptr, &refused);
    list.push("600001.SH", nullptr);
    std::set<std::string> symbols;
    for (int i = 0; i < list.getSize(); ++i) {
        std::string symbol = list.getSymbol(i).str();
        symbols.insert(symbol + "=" + std::to_string(list.marginSecurityInfo(i).loan_available_qty));
        EXPECT_EQ(&list.marginSecurityInfo(i), &list.marginSecurityInfo(symbol.c_str()));
    }
    EXPECT_EQ(symbols, (std::set<std::string>{"600000.SH=100", "000001.SZ=300"}));
    for (const MarginSecurityInfo* absent : {&list.marginSecurityInfo("600000.sh"), &list.marginSecurityInfo(nullptr),
                                             &list.marginSecurityInfo(-1), &list.marginSecurityInfo(2)})
        EXPECT_TRUE(isAllZero(*absent));
    EXPECT_EQ(std::string(list.getSymbol(-1).str()) + list.getSymbol(2).str(), "");
}

TEST(MarginAssureSecurityList, OverwritesAndAnswersZeroForUnknowns) {
    MarginAssureSecurityList list;
    list.push("600000.SH", 0.7);
    list.push("600000.SH", 0.65);
    list.push("000001.SZ", 0.5);
    list.push(nullptr, 0.9);
    EXPECT_EQ(list.getSize(), 2);
    EXPECT_DOUBLE_EQ(list.discountRatio("600000.SH"), 0.65);
    EXPECT_EQ(list.discountRatio("unknown") + list.discountRatio(nullptr) + list.discountRatio(-1), 0);
    for (int i = 0; i <= list.getSize(); ++i)
        EXPECT_DOUBLE_EQ(list.discountRatio(i), list.discountRatio(list.getSymbol(i).str())) << i;
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
    EXPECT_EQ(std::make_pair(list.index("600000.SH"), list.index("")), std::make_pair(1, 3));
    for (const char* absent : {"600000.sh", "600000", static_cast<const char*>(nullptr)})
        EXPECT_EQ(list.index(absent), -1) << (absent ? absent : "(null)");
}

// Joining moves the left list's content into the result.
TEST(SymbolList, AppendingAndJoining) {
    SymbolList a = makeList({"A", "B"});
    SymbolList b = makeList({"C"});
    a += b;
    a += a;
    EXPECT_EQ(entries(a), (std::vector<std::string>{"A", "B", "C", "A", "B", "C"}));
    SymbolList emptied;
    emptied += b;
    SymbolList joined = emptied + b;
    EXPECT_EQ(entries(joined), (std::vector<std::string>{"C", "C"}));
    EXPECT_EQ(emptied.getSize(), 0);
}

// Each kind reads its own emptiness, so each is copied once here; the
// sequence lists share one template and OrderList stands for them. (A fresh
// list reads as one emptied by a transfer.)
TEST(Handles, ACopyTakesTheContentAndTheSourceReadsAsEmpty) {
    SymbolList symbols;
    symbols.put("A");
    SymbolList symbolsTaken(symbols);
    EXPECT_EQ(std::make_tuple(symbols.getSize(), symbols.index("A"), symbolsTaken.index("A")),
              std::make_tuple(0, -1, 0));
    OrderList orders;
    orders.push(new Order{});
    orders.setLast(true);
    orders.setTotalCount(3);
    OrderList ordersTaken(orders);
    EXPECT_EQ(std::make_tuple(orders.getSize(), orders.isLast(), orders.totalCount()), std::make_tuple(0, false, 0));
    EXPECT_EQ(std::make_tuple(ordersTaken.getSize(), ordersTaken.isLast(), ordersTaken.totalCount()),
              std::make_tuple(1, true, 3));
    MarginAccountSecurityList accounts;
    accounts.push("A", new MarginSecurityInfo{7, 0, 0, ""});
    MarginAccountSecurityList accountsTaken(accounts);
    EXPECT_EQ(std::make_tuple(accounts.getSize(), accounts.marginSecurityInfo("A").loan_available_qty,
                              accountsTaken.marginSecurityInfo(0).loan_available_qty),
              std::make_tuple(0, 0, 7));
    MarginAssureSecurityList ratios;
    ratios.push("A", 0.5);
    MarginAssureSecurityList ratiosTaken(ratios);
    EXPECT_EQ(std::make_tuple(ratios.getSize(), ratios.discountRatio("A"), ratiosTaken.discountRatio("A")),
              std::make_tuple(0, 0.0, 0.5));
}

// Assigning drops the target's own content; assigning a handle to itself
// keeps it; a handle emptied by a transfer takes new content.
TEST(Handles, AssignmentFollowsTheSameRule) {
    SymbolList source, target;
    source.put("A");
    target.put("old");
    target = source;
    SymbolList& alias = target;
    target = alias;
    EXPECT_EQ(std::make_tuple(target.getSize(), target.index("A"), source.getSize()), std::make_tuple(1, 0, 0));
    source.put("B");
    EXPECT_EQ(std::make_pair(source.getSize(), source.index("B")), std::make_pair(1, 0));
}

}  // namespace
