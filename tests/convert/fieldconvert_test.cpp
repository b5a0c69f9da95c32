// Decimal text read as QByteArray::toInt() reads it, and doubles truncated
// to integers, at their edges. (The bounded text copy is checked through the
// row converters that use it.)
#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <limits>
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

// The first field is full and the second follows it directly.
TEST(FieldConvert, DecimalTextEndsAtItsFieldOrItsNul) {
    const char fields[2][4] = {{'1', '2', '3', '4'}, {'5', '\0', '6'}};
    EXPECT_EQ(zqinternal::textToInt(fields[0]), 1234);
    EXPECT_EQ(zqinternal::textToInt(fields[1]), 5);
}

// What row amounts go through: a plain cast would be undefined for most of
// these values, and gives other results on x86.
TEST(FieldConvert, DoublesTruncateTowardZeroAndSaturate) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();
    // clang-format off
    const struct { double value; int64_t wide; int32_t narrow; } cases[] = {
        {-99.9, -99, -99}, {kNaN, 0, 0}, {kInf, INT64_MAX, INT32_MAX}, {-kInf, INT64_MIN, INT32_MIN},
        {2147483648.0, 2147483648, INT32_MAX}, {-2147483647.5, -2147483647, -2147483647},
        {-2147483649.0, -2147483649, INT32_MIN},
        // the largest double below 2^63, 2^63 itself, and the next double below -2^63
        {9223372036854774784.0, 9223372036854774784, INT32_MAX}, {9223372036854775808.0, INT64_MAX, INT32_MAX},
        {-9223372036854777856.0, INT64_MIN, INT32_MIN},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(zqinternal::truncToInt64(c.value), c.wide) << c.value;
        EXPECT_EQ(zqinternal::truncToInt32(c.value), c.narrow) << c.value;
    }
}

}  // namespace
