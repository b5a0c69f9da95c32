// Decimal text read as QByteArray::toInt() reads it, at its edges. (The
// truncation of doubles and the bounded text copy are checked through the
// row converters that use them.)
#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <string>

#include "convert/fieldconvert.h"

namespace {

TEST(FieldConvert, DecimalTextReadsAsQByteArrayToInt) {
    // clang-format off
    const struct { const char* text; int32_t value; } cases[] = {
        {"5", 5}, {"+5", 5}, {"-5", -5}, {"007", 7}, {"-0", 0}, {" 5", 5}, {"5 ", 5}, {" +5 ", 5}, {"\t5\n", 5},
        {"\v\f\r-5\v\f\r", -5}, {"00000000000000000000005", 5}, {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN}, {"-00000000002147483648", INT32_MIN}, {"2147483648", 0}, {"-2147483649", 0},
        {"99999999999999999999", 0}, {"", 0}, {" ", 0}, {"+", 0}, {"-", 0}, {"+-5", 0}, {"--5", 0}, {" - 5", 0},
        {"1 2", 0}, {"5x", 0}, {"x5", 0}, {"0x10", 0}, {"1e3", 0}, {"1.0", 0}, {"\x01" "5", 0}, {"5\x01", 0},
        {"\xef\xbc\x91", 0},  // a full-width 1
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.text + "'");
        EXPECT_EQ(zqinternal::textToInt(c.text, std::strlen(c.text)), c.value);
        EXPECT_EQ(QByteArray(c.text).toInt(), c.value);
    }
}

TEST(FieldConvert, DecimalTextEndsAtItsFieldOrItsNul) {
    struct {
        char field[4];
        char next;
    } unterminated = {{'1', '2', '3', '4'}, '5'};
    EXPECT_EQ(zqinternal::textToInt(unterminated.field), 1234);
    const char withNul[8] = {'1', '2', '\0', '3'};
    EXPECT_EQ(zqinternal::textToInt(withNul), 12);
}

}  // namespace
