// SymbolList: lookups and joins (its transfer rule: handles_test.cpp).
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

TEST(SymbolList, AppendingAddsTheOtherListsEntriesAndLeavesItAlone) {
    SymbolList a = makeList({"A", "B"});
    SymbolList b = makeList({"C"});
    a += b;
    EXPECT_EQ(entries(a), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(entries(b), (std::vector<std::string>{"C"}));
    a += a;
    EXPECT_EQ(entries(a), (std::vector<std::string>{"A", "B", "C", "A", "B", "C"}));
    SymbolList emptied = makeList({"X"});
    SymbolList taken(emptied);
    emptied += b;
    EXPECT_EQ(entries(emptied), (std::vector<std::string>{"C"}));
}

TEST(SymbolList, JoiningMovesTheLeftListsContentIntoTheResult) {
    SymbolList a = makeList({"A", "B"});
    SymbolList b = makeList({"C", "D"});
    SymbolList joined = a + b;
    EXPECT_EQ(entries(joined), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(a.getSize(), 0);
    EXPECT_EQ(entries(b), (std::vector<std::string>{"C", "D"}));
}

}  // namespace
