#include "convert/timetext.h"

#include <charconv>

namespace zqinternal {

namespace {

bool isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads fields off the joined digits as the pattern does: in order, each
// taking its digits for good.
class FieldReader {
public:
    FieldReader(const char* begin, const char* end) : next_(begin), end_(end) {}

    // Takes exactly `width` digits with a value in [min, max]; on failure
    // nothing is taken.
    bool fixed(int width, int min, int max, int& value) {
        if (end_ - next_ < width) return false;
        value = 0;
        for (int i = 0; i < width; ++i) {
            if (!isDigit(next_[i])) return false;
            value = value * 10 + (next_[i] - '0');
        }
        if (value < min || value > max) return false;
        next_ += width;
        return true;
    }

    // The one-letter hour: two digits when they make an hour, else one.
    bool hour(int& value) {
        if (fixed(2, 0, 23, value)) return true;
        return fixed(1, 0, 9, value);
    }

    bool atEnd() const { return next_ == end_; }

private:
    const char* next_;
    const char* const end_;
};

struct Stamp {
    int year, month, day, hour, minute, second;
};

bool readStamp(const char* begin, const char* end, Stamp& s) {
    FieldReader reader(begin, end);
    return reader.fixed(4, 1, 9999, s.year) && reader.fixed(2, 1, 12, s.month) &&
           reader.fixed(2, 1, daysInMonth(s.year, s.month), s.day) && reader.hour(s.hour) &&
           reader.fixed(2, 0, 59, s.minute) && reader.fixed(2, 0, 59, s.second) && reader.atEnd();
}

// REQUIRES: 0 <= value < 10^width.
char* putDigits(char* out, int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
    return out + width;
}

char* putStamp(char* out, const Stamp& s) {
    out = putDigits(out, s.year, 4);
    out = putDigits(out, s.month, 2);
    out = putDigits(out, s.day, 2);
    *out++ = ' ';
    out = putDigits(out, s.hour, 2);
    *out++ = ':';
    out = putDigits(out, s.minute, 2);
    *out++ = ':';
    out = putDigits(out, s.second, 2);
    for (char c : {' ', '0', '0', '0'}) *out++ = c;
    return out;
}

}  // namespace

size_t formatTimeText(int32_t date, int32_t timeOfDay, char (&text)[kTimeTextCapacity]) {
    char joined[22];  // two int32 texts of at most 11 characters each
    char* end = std::to_chars(joined, joined + 11, date).ptr;
    end = std::to_chars(end, joined + sizeof joined, timeOfDay).ptr;
    Stamp stamp;
    if (!readStamp(joined, end, stamp)) {
        text[0] = '\0';
        return 0;
    }
    char* const last = putStamp(text, stamp);
    *last = '\0';
    return static_cast<size_t>(last - text);
}

}  // namespace zqinternal
