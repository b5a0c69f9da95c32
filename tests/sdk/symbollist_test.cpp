// SymbolList: lookups, joins and the transfer-on-copy rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "norq/zqstring.h"

namespace {

using Norq::SymbolList;

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

TEST(SymbolList, OutOfRangeGivesTheEmptyText) {
    SymbolList list = makeList({"600000.SH"});
    EXPECT_STREQ(list.get(-1).str(), "");
    EXPECT_STREQ(list.get(1).str(), "");
    EXPECT_STREQ(list.get(0).str(), "600000.SH");
}

TEST(SymbolList, PutKeepsDuplicatesAndEmptyEntriesButNotNull) {
    SymbolList list;
    list.put("600000.SH");
    list.put("600000.SH");
    list.put("");
    list.put(nullptr);
    EXPECT_EQ(list.getSize(), 3);
    EXPECT_EQ(list.index("600000.SH"), 0);
    EXPECT_EQ(list.index(""), 2);
}

TEST(SymbolList, IndexIsExactAndCaseSensitive) {
    SymbolList list = makeList({"000001.SZ", "600000.SH"});
    EXPECT_EQ(list.index("600000.SH"), 1);
    EXPECT_EQ(list.index("600000.sh"), -1);
    EXPECT_EQ(list.index("600000"), -1);
    EXPECT_EQ(list.index("600000.SH "), -1);
    EXPECT_EQ(list.index(nullptr), -1);
    SymbolList empty;
    EXPECT_EQ(empty.index("600000.SH"), -1);
}

TEST(SymbolList, AppendingAddsTheOtherListsEntriesAndLeavesItAlone) {
    SymbolList a = makeList({"A", "B"});
    SymbolList b = makeList({"C"});
    a += b;
    EXPECT_EQ(entries(a), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(entries(b), (std::vector<std::string>{"C"}));
}

TEST(SymbolList, AppendingAListToItselfDoublesIt) {
    SymbolList a = makeList({"A", "B"});
    a += a;
    EXPECT_EQ(entries(a), (std::vector<std::string>{"A", "B", "A", "B"}));
}

TEST(SymbolList, JoiningMovesTheLeftListsContentIntoTheResult) {
    SymbolList a = makeList({"A", "B"});
    SymbolList b = makeList({"C", "D"});
    SymbolList joined = a + b;
    EXPECT_EQ(entries(joined), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(a.getSize(), 0);
    EXPECT_EQ(entries(b), (std::vector<std::string>{"C", "D"}));
}

TEST(SymbolList, CopyingAndAssigningTransferTheContent) {
    SymbolList a = makeList({"A", "B"});
    SymbolList copy(a);
    EXPECT_EQ(entries(copy), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(a.getSize(), 0);

    SymbolList target = makeList({"old"});
    target = copy;
    EXPECT_EQ(entries(target), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(copy.getSize(), 0);

    // A list emptied by a transfer can be assigned to and used again.
    a = target;
    EXPECT_EQ(entries(a), (std::vector<std::string>{"A", "B"}));
    SymbolList& alias = a;
    a = alias;
    EXPECT_EQ(entries(a), (std::vector<std::string>{"A", "B"}));
}

TEST(SymbolList, AListLeftEmptyByATransferStaysHarmless) {
    SymbolList a = makeList({"A"});
    SymbolList moved(std::move(a));
    EXPECT_EQ(a.getSize(), 0);
    EXPECT_STREQ(a.get(0).str(), "");
    EXPECT_EQ(a.index("A"), -1);
    a.put("B");
    EXPECT_EQ(entries(a), (std::vector<std::string>{"B"}));
    SymbolList emptied(moved);
    moved += a;
    EXPECT_EQ(entries(moved), (std::vector<std::string>{"B"}));
}

}  // namespace
