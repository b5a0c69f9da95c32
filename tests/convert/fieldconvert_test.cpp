// The per-field conversions: decimal text read as QByteArray::toInt() reads
// it, doubles truncated without undefined behaviour.
#include <gtest/gtest.h>

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "convert/fieldconvert.h"

namespace {

TEST(FieldConvert, DecimalTextReadsAsQByteArrayToInt) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"5", 5},
        {"+5", 5},
        {"-5", -5},
        {"007", 7},
        {"-0", 0},
        {" 5", 5},
        {"5 ", 5},
        {" +5 ", 5},
        {"\t5\n", 5},
        {"\v\f\r-5\v\f\r", -5},
        {"00000000000000000000005", 5},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-00000000002147483648", INT32_MIN},
        {"2147483648", 0},
        {"-2147483649", 0},
        {"99999999999999999999", 0},
        {"", 0},
        {" ", 0},
        {"+", 0},
        {"-", 0},
        {"+-5", 0},
        {"--5", 0},
        {" - 5", 0},
        {"1 2", 0},
        {"5x", 0},
        {"x5", 0},
        {"0x10", 0},
        {"1e3", 0},
        {"1.0", 0},
        {"\x01" "5", 0},
        {"5\x01", 0},
        {"\xef\xbc\x91", 0},  // a full-width 1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.text + "'");
        EXPECT_EQ(Norq::textToInt(c.text, std::strlen(c.text)), c.value);
        EXPECT_EQ(QByteArray(c.text).toInt(), c.value);
    }
}

TEST(FieldConvert, DecimalTextEndsAtItsFieldOrItsNul) {
    struct {
        char field[4];
        char next;
    } unterminated = {{'1', '2', '3', '4'}, '5'};
    EXPECT_EQ(Norq::textToInt(unterminated.field), 1234);
    const char withNul[8] = {'1', '2', '\0', '3'};
    EXPECT_EQ(Norq::textToInt(withNul), 12);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FieldConvert, DoublesTruncateTowardZeroAndSaturate) {
    constexpr int64_t max64 = INT64_MAX, min64 = INT64_MIN;
    const struct {
        double value;
        int64_t as64;
        int32_t as32;
    } cases[] = {
        {99.9, 99, 99},
        {-99.9, -99, -99},
        {0.5, 0, 0},
        {-0.5, 0, 0},
        {-0.0, 0, 0},
        {kNaN, 0, 0},
        {kInf, max64, INT32_MAX},
        {-kInf, min64, INT32_MIN},
        {1e300, max64, INT32_MAX},
        {-1e300, min64, INT32_MIN},
        {2147483647.9, 2147483647, INT32_MAX},
        {2147483648.0, 2147483648, INT32_MAX},
        {-2147483648.9, -2147483648, INT32_MIN},
        {-2147483649.0, -2147483649, INT32_MIN},
        {9223372036854774784.0, 9223372036854774784, INT32_MAX},  // the largest double below 2^63
        {9223372036854775808.0, max64, INT32_MAX},
        {-9223372036854775808.0, min64, INT32_MIN},
        {-9223372036854777856.0, min64, INT32_MIN},  // the next double below -2^63
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Norq::truncToInt64(c.value), c.as64);
        EXPECT_EQ(Norq::truncToInt32(c.value), c.as32);
    }
}

}  // namespace
