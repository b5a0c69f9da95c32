// ZqString as strategies use it.
#include <gtest/gtest.h>

#include "norq/zqstring.h"

namespace {

using Norq::ZqString;

TEST(ZqString, NullAndDefaultAreEmptyButNeverNullAndEqualityComparesBytes) {
    ZqString fromNull(nullptr);
    ZqString empty;
    EXPECT_EQ(fromNull.length() + empty.length(), 0);
    EXPECT_STREQ(fromNull.str(), "");
    EXPECT_NE(empty.str(), nullptr);
    EXPECT_TRUE(empty == fromNull);
    EXPECT_TRUE(ZqString("600000.SH") == ZqString("600000.SH"));
    EXPECT_FALSE(ZqString("600000.SH") == ZqString("600000.sh"));
    EXPECT_TRUE(ZqString("a") != ZqString("ab"));
    EXPECT_FALSE(ZqString("策略") != ZqString("策略"));
}

TEST(ZqString, AppendingExtendsInPlaceAndJoiningLeavesBothOperandsAlone) {
    ZqString s("ab");
    s += ZqString("c");
    s += s;
    s += ZqString();
    EXPECT_STREQ(s.str(), "abcabc");
    EXPECT_EQ(s.length(), 6);
    ZqString a("ab");
    ZqString b("cd");
    ZqString joined = a + b;
    EXPECT_STREQ(joined.str(), "abcd");
    EXPECT_EQ(joined.length(), 4);
    EXPECT_STREQ(a.str(), "ab");
    EXPECT_STREQ(b.str(), "cd");
    EXPECT_STREQ((a + a).str(), "abab");
}

TEST(ZqString, CopiesAreIndependentAndIndexAndLengthCountBytes) {
    ZqString original("600000.SH");
    ZqString copy(original);
    ZqString assigned;
    assigned = original;
    original += ZqString("!");
    ZqString& alias = assigned;
    assigned = alias;
    EXPECT_STREQ(copy.str(), "600000.SH");
    EXPECT_STREQ(assigned.str(), "600000.SH");
    EXPECT_EQ(assigned.length(), 9);
    EXPECT_EQ(std::string{copy[0]} + copy[8] + copy[9], std::string("6H") + '\0');
    EXPECT_EQ(ZqString("策略").length(), 6);
}

}  // namespace
