#include "timetext.h"

namespace zqhost {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

bool validTime(int y, int mo, int d, int h, int mi, int s) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || y > 9999 || mo < 1 || mo > 12 || d < 1) return false;
    if (d > days[mo - 1] + (mo == 2 && isLeap(y) ? 1 : 0)) return false;
    return h >= 0 && h < 24 && mi >= 0 && mi < 60 && s >= 0 && s < 60;
}

// Writes `value` as `digits` decimal digits, zero-padded.
void putDigits(char* out, int64_t value, int digits) {
    for (int i = digits - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
}

// The fourteen digits of `stamp` in the '#'s of `shape`, in order, and the
// rest of `shape` as it stands; no end byte.
template <size_t N>
void writeShaped(int64_t stamp, const char (&shape)[N], char* out) {
    char digits[14];
    putDigits(digits, stamp, 14);
    for (size_t i = 0, next = 0; i + 1 < N; ++i) out[i] = shape[i] == '#' ? digits[next++] : shape[i];
}

// Reads 1 to `most` digits at `at`.
bool takeNumber(std::string_view text, size_t& at, size_t most, int& value) {
    size_t start = at;
    value = 0;
    while (at < text.size() && at - start < most && text[at] >= '0' && text[at] <= '9')
        value = value * 10 + (text[at++] - '0');
    return at > start;
}

bool takeSeparated(std::string_view text, size_t& at, char separator, size_t most, int& value) {
    if (at >= text.size() || text[at] != separator) return false;
    ++at;
    return takeNumber(text, at, most, value);
}

// "yyyy-MM-dd hh:mm:ss" with every digit in place, the form nearly every
// row has, read without searching.
bool takeFullForm(std::string_view text, int& y, int& mo, int& d, int& h, int& mi, int& s) {
    static constexpr char kShape[] = "0000-00-00 00:00:00";
    if (text.size() != sizeof kShape - 1) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) return false;
    }
    auto number = [&](size_t at, size_t digits) {
        int value = 0;
        for (size_t i = at; i < at + digits; ++i) value = value * 10 + (text[i] - '0');
        return value;
    };
    y = number(0, 4), mo = number(5, 2), d = number(8, 2), h = number(11, 2), mi = number(14, 2), s = number(17, 2);
    return true;
}

}  // namespace

constexpr char kDisplayShape[] = "####-##-## ##:##:##";
constexpr char kHostShape[] = "######## ##:##:## 000";
static_assert(sizeof kDisplayShape - 1 == kDisplayTimeBytes && sizeof kHostShape - 1 == kHostTimeBytes,
              "a shape is the text it writes");

void writeDisplayTime(int64_t stamp, char* out) {
    writeShaped(stamp, kDisplayShape, out);
}

void writeHostTime(int64_t stamp, char* out) {
    writeShaped(stamp, kHostShape, out);
}

std::string displayTime(int64_t stamp) {
    char text[kDisplayTimeBytes];
    writeDisplayTime(stamp, text);
    return std::string(text, sizeof text);
}

std::string hostTime(int64_t stamp) {
    char text[kHostTimeBytes];
    writeHostTime(stamp, text);
    return std::string(text, sizeof text);
}

bool parseStamp(std::string_view text, int64_t& stamp, int64_t& seconds) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    size_t at = 0;
    bool ok;
    if (takeFullForm(text, y, mo, d, h, mi, s)) {
        ok = true;
        at = text.size();
    } else if (text.size() == 14 && text.find_first_not_of("0123456789") == std::string_view::npos) {
        ok = takeNumber(text, at, 4, y) && takeNumber(text, at, 2, mo) && takeNumber(text, at, 2, d) &&
             takeNumber(text, at, 2, h) && takeNumber(text, at, 2, mi) && takeNumber(text, at, 2, s);
    } else {
        ok = takeNumber(text, at, 4, y) && takeSeparated(text, at, '-', 2, mo) && takeSeparated(text, at, '-', 2, d);
        if (ok && at < text.size()) {
            ok = takeSeparated(text, at, ' ', 2, h) && takeSeparated(text, at, ':', 2, mi) &&
                 takeSeparated(text, at, ':', 2, s);
        }
    }
    if (!ok || at != text.size() || !validTime(y, mo, d, h, mi, s)) return false;
    stamp = ((((y * 100LL + mo) * 100 + d) * 100 + h) * 100 + mi) * 100 + s;
    seconds = daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
    return true;
}

}  // namespace zqhost
