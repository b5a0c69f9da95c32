// The per-field conversions the row converters name: text to int, doubles to
// integers, an integer to text. All are allocation-free and any thread may
// call them.
#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "sdk/textcopy.h"

namespace zqinternal {

inline bool isAsciiSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// What QByteArray::toInt() makes of `length` bytes of text: an optional sign
// and base-10 digits, whitespace allowed around them. Anything else, including
// a value outside int32, gives 0.
inline int32_t textToInt(const char* text, size_t length) {
    const char* p = text;
    const char* const end = text + length;
    while (p != end && isAsciiSpace(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    const char* const digits = p;
    int64_t magnitude = 0;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        // Past the int32 range nothing that follows can make it valid.
        if (magnitude > int64_t{1} << 31) return 0;
    }
    if (p == digits) return 0;
    while (p != end && isAsciiSpace(*p)) ++p;
    if (p != end) return 0;
    const int64_t value = negative ? -magnitude : magnitude;
    return value > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(value);
}

// The text of a fixed field that need not end in NUL within its width.
template <size_t N>
int32_t textToInt(const char (&field)[N]) {
    return textToInt(field, strnlen(field, N));
}

// A double truncated toward zero. Casting NaN or a value outside the target
// range is undefined behaviour, so NaN gives 0 and everything beyond the
// range, infinities included, saturates to the nearest limit.
template <typename Int>
Int truncToInt(double value) {
    static_assert(std::numeric_limits<Int>::is_signed && sizeof(Int) <= 8, "signed integers up to 64 bits");
    // -2^(bits-1) is exact in a double; 2^(bits-1) is the first value too large.
    constexpr double lowest = static_cast<double>(std::numeric_limits<Int>::min());
    if (std::isnan(value)) return 0;
    if (value >= -lowest) return std::numeric_limits<Int>::max();
    if (value <= lowest - 1.0) return std::numeric_limits<Int>::min();
    return static_cast<Int>(value);
}

inline int64_t truncToInt64(double value) {
    return truncToInt<int64_t>(value);
}

inline int32_t truncToInt32(double value) {
    return truncToInt<int32_t>(value);
}

// The integer written as decimal text, cut to the field like any text.
template <size_t N>
void copyIntText(char (&field)[N], int32_t value) {
    char text[11];  // "-2147483648"
    const char* const end = std::to_chars(text, text + sizeof text, value).ptr;
    copyText(field, text, static_cast<size_t>(end - text));
}

// Every byte of a record zero, padding included, so what crosses the
// boundary never carries stale memory.
template <typename Record>
void zeroFill(Record& record) {
    static_assert(std::is_trivially_copyable<Record>::value, "records are plain structures");
    std::memset(&record, 0, sizeof record);
}

}  // namespace zqinternal
