// ZqString as strategies use it.
#include <gtest/gtest.h>

#include "norq/zqstring.h"

namespace {

using Norq::ZqString;

TEST(ZqString, NullAndDefaultAreEmptyButNeverNullAndEqualityComparesBytes) {
    ZqString fromNull(nullptr), empty;
    EXPECT_EQ(fromNull.length() + empty.length(), 0);
    EXPECT_EQ(std::string(fromNull.str()) + empty.str(), "");
    EXPECT_TRUE(empty == fromNull && ZqString("策略") == ZqString("策略"));
    EXPECT_FALSE(ZqString("600000.SH") == ZqString("600000.sh"));
    EXPECT_TRUE(ZqString("a") != ZqString("ab"));
}

// Copies are independent; index and length count bytes.
TEST(ZqString, AppendingExtendsInPlaceJoiningLeavesBothOperandsAloneAndCopiesAreIndependent) {
    ZqString s("ab"), a("ab"), b("cd");
    s += ZqString("c");
    s += s;
    s += ZqString();
    ZqString joined = a + b, copy(s), assigned;
    assigned = s;
    s += ZqString("!");
    ZqString& alias = assigned;
    assigned = alias;
    EXPECT_EQ(std::string(copy.str()) + "/" + assigned.str() + "/" + joined.str() + "/" + a.str() + "/" + b.str(),
              "abcabc/abcabc/abcd/ab/cd");
    EXPECT_EQ(std::make_tuple(copy.length(), s.length(), joined.length(), ZqString("策略").length()),
              std::make_tuple(6, 7, 4, 6));
    EXPECT_EQ(std::string{copy[0]} + copy[5] + copy[6], std::string("ac") + '\0');
}

}  // namespace
