#include "convert/barpushparser.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

#include "convert/fieldconvert.h"
#include "sdk/textcopy.h"

namespace zqinternal {

using Norq::KLineDataPush;

namespace {

// The bar's keys, one bit each, so a repeated key is seen at once.
enum Key : unsigned {
    kSymbol = 1u << 0,
    kTimestamp = 1u << 1,
    kOpen = 1u << 2,
    kClose = 1u << 3,
    kHigh = 1u << 4,
    kLow = 1u << 5,
    kMoney = 1u << 6,
    kVolume = 1u << 7,
    kNumTrades = 1u << 8,
    kPeriod = 1u << 9,
    kUnknown = 0,
};

constexpr unsigned kTextKeys = kSymbol | kTimestamp | kPeriod;

// A 17-significant-digit price with its leading zeros stays well inside
// this; longer mantissas are left to Qt rather than reasoned about.
constexpr ptrdiff_t kMaxMantissaDigits = 40;
// Three exponent digits reach every finite double.
constexpr ptrdiff_t kMaxExponentDigits = 3;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The four characters Qt's parser skips between tokens; \f and \v are errors there.
const char* skipSpace(const char* p, const char* end) {
    while (p != end && (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')) ++p;
    return p;
}

Key keyOf(const char* key, size_t length) {
    switch (length) {
    case 3: return std::memcmp(key, "low", 3) == 0 ? kLow : kUnknown;
    case 4:
        if (std::memcmp(key, "open", 4) == 0) return kOpen;
        return std::memcmp(key, "high", 4) == 0 ? kHigh : kUnknown;
    case 5:
        if (std::memcmp(key, "close", 5) == 0) return kClose;
        return std::memcmp(key, "money", 5) == 0 ? kMoney : kUnknown;
    case 6: return std::memcmp(key, "volume", 6) == 0 ? kVolume : kUnknown;
    case 9: return std::memcmp(key, "timestamp", 9) == 0 ? kTimestamp : kUnknown;
    case 10: return std::memcmp(key, "num_trades", 10) == 0 ? kNumTrades : kUnknown;
    case 11: return std::memcmp(key, "period_type", 11) == 0 ? kPeriod : kUnknown;
    case 15: return std::memcmp(key, "security_symbol", 15) == 0 ? kSymbol : kUnknown;
    default: return kUnknown;
    }
}

// A string at `p` (its opening quote) made only of printable ASCII without
// escapes, so its bytes are the UTF-8 Qt would give back. Returns the byte
// after the closing quote, or null.
const char* readPlainString(const char* p, const char* end, const char*& text, size_t& length) {
    if (p == end || *p != '"') return nullptr;
    text = ++p;
    for (; p != end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"') {
            length = static_cast<size_t>(p - text);
            return p + 1;
        }
        if (c < 0x20 || c > 0x7e || c == '\\') return nullptr;
    }
    return nullptr;
}

// A number at `p` in the strict JSON form: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?,
// read to the nearest double as Qt reads it. Declined, with null: Qt's
// lenient forms (".5", "1."), values it would not give back as written
// (any zero with a minus sign, which it stores as the integer 0), values
// that overflow, underflow or are subnormal, and overlong texts.
const char* readNumber(const char* p, const char* end, double& value) {
    const char* const start = p;
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    const char* const integer = p;
    if (p != end && *p == '0') {
        ++p;
    } else {
        while (p != end && isDigit(*p)) ++p;
    }
    if (p == integer) return nullptr;
    ptrdiff_t digits = p - integer;
    if (p != end && *p == '.') {
        const char* const fraction = ++p;
        while (p != end && isDigit(*p)) ++p;
        if (p == fraction) return nullptr;
        digits += p - fraction;
    }
    const char* const mantissaEnd = p;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != end && (*p == '+' || *p == '-')) ++p;
        const char* const exponent = p;
        while (p != end && isDigit(*p)) ++p;
        if (p == exponent || p - exponent > kMaxExponentDigits) return nullptr;
    }
    if (digits > kMaxMantissaDigits) return nullptr;
    const std::from_chars_result read = std::from_chars(start, p, value);
    if (read.ec != std::errc() || read.ptr != p || !std::isfinite(value)) return nullptr;
    if (value == 0) {
        // A true zero only: no minus sign and no digit but 0 before the exponent.
        if (negative) return nullptr;
        for (const char* d = integer; d != mantissaEnd; ++d)
            if (*d >= '1' && *d <= '9') return nullptr;
    } else if (std::fabs(value) < DBL_MIN) {
        return nullptr;
    }
    return p;
}

// One member's value into its field; returns the byte after it, or null.
const char* readValue(Key key, const char* p, const char* end, KLineDataPush& bar) {
    if (key & kTextKeys) {
        const char* text = nullptr;
        size_t length = 0;
        p = readPlainString(p, end, text, length);
        if (!p) return nullptr;
        if (key == kSymbol) copyText(bar.symbol, text, length);
        else if (key == kTimestamp) copyText(bar.datetime, text, length);
        else copyText(bar.data_type, text, length);
        return p;
    }
    double number = 0;
    p = readNumber(p, end, number);
    if (!p) return nullptr;
    switch (key) {
    case kOpen: bar.open = number; break;
    case kClose: bar.close = number; break;
    case kHigh: bar.high = number; break;
    case kLow: bar.low = number; break;
    case kMoney: bar.total_money = number; break;
    case kVolume: bar.total_volume = truncToInt<int64_t>(number); break;
    case kNumTrades: bar.num_trades = truncToInt<int64_t>(number); break;
    default: return nullptr;
    }
    return p;
}

}  // namespace

bool parseBarPush(const char* text, size_t length, KLineDataPush& bar) {
    zeroFill(bar);
    const char* const end = text + length;
    const char* p = skipSpace(text, end);
    if (p == end || *p != '{') return false;
    p = skipSpace(p + 1, end);
    if (p != end && *p == '}') return skipSpace(p + 1, end) == end;
    unsigned seen = 0;
    for (;;) {
        const char* name = nullptr;
        size_t nameLength = 0;
        p = readPlainString(p, end, name, nameLength);
        if (!p) return false;
        const Key key = keyOf(name, nameLength);
        if (key == kUnknown || (seen & key)) return false;
        seen |= key;
        p = skipSpace(p, end);
        if (p == end || *p != ':') return false;
        p = readValue(key, skipSpace(p + 1, end), end, bar);
        if (!p) return false;
        p = skipSpace(p, end);
        if (p == end) return false;
        if (*p == '}') return skipSpace(p + 1, end) == end;
        if (*p != ',') return false;
        p = skipSpace(p + 1, end);
    }
}

}  // namespace zqinternal
