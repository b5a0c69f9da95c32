// The per-field conversions: decimal text read as QByteArray::toInt() reads
// it, doubles truncated without undefined behaviour, and the bounded copy
// that puts text into fixed-width record fields.
#include <gtest/gtest.h>

#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "convert/fieldconvert.h"
#include "norq/records.h"

namespace {

TEST(FieldConvert, DecimalTextReadsAsQByteArrayToInt) {
    // clang-format off
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
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

TEST(FieldConvert, DoublesTruncateTowardZeroAndSaturate) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr int64_t max64 = INT64_MAX, min64 = INT64_MIN;
    // 2^63 - 1024 is the largest double below 2^63, -2^63 - 2048 the next one below -2^63.
    // clang-format off
    const struct {
        double value;
        int64_t as64;
        int32_t as32;
    } cases[] = {
        {99.9, 99, 99}, {-99.9, -99, -99}, {0.5, 0, 0}, {-0.5, 0, 0}, {-0.0, 0, 0}, {kNaN, 0, 0},
        {kInf, max64, INT32_MAX}, {-kInf, min64, INT32_MIN}, {1e300, max64, INT32_MAX}, {-1e300, min64, INT32_MIN},
        {2147483647.9, 2147483647, INT32_MAX}, {2147483648.0, 2147483648, INT32_MAX},
        {-2147483648.9, -2147483648, INT32_MIN}, {-2147483649.0, -2147483649, INT32_MIN},
        {9223372036854774784.0, 9223372036854774784, INT32_MAX},
        {9223372036854775808.0, max64, INT32_MAX}, {-9223372036854775808.0, min64, INT32_MIN},
        {-9223372036854777856.0, min64, INT32_MIN},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Norq::truncToInt64(c.value), c.as64);
        EXPECT_EQ(Norq::truncToInt32(c.value), c.as32);
    }
}

TEST(TextCopy, CutsToTheFieldLessOneZeroFillsAndStaysInside) {
    constexpr size_t all = static_cast<size_t>(-1);
    struct Case {
        const char* text;
        size_t length;
        std::string stored;
    } cases[] = {
        {"12345678901234567890", all, "1234567890123456789"},
        {"1234567890123456789", all, "1234567890123456789"},
        {nullptr, all, ""},
        {"abcdef", 3, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        Norq::Order order;
        std::memset(&order, 0x5a, sizeof order);
        Norq::copyText(order.fund_account, c.text, c.length);
        EXPECT_EQ(std::string(order.fund_account), c.stored);
        for (size_t i = c.stored.size(); i < sizeof order.fund_account; ++i)
            ASSERT_EQ(order.fund_account[i], '\0') << i;
        EXPECT_EQ(static_cast<unsigned char>(order.security_exchange[0]), 0x5a) << "wrote past the field";
    }
}

}  // namespace
