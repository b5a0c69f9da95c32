// The time text of orders and trades. Rows stamp them with two integers, a
// date (yyyyMMdd) and a time of day (hmmss, no leading zero before 10:00);
// records carry "yyyyMMdd hh:mm:ss zzz". The text is what Qt makes of the
// stamp, odd readings included: both integers written as decimal text one
// after the other, that text read with the pattern "yyyyMMddhmmss" and written
// back as "yyyyMMdd hh:mm:ss zzz". What the pattern rejects becomes an empty
// text. Going through Qt would cost microseconds a row; this costs nanoseconds.
//
// The pattern reads the joined digits left to right and never goes back:
// four year digits (0000 is no year), two month digits (01-12), two day
// digits (a day of that month, leap years as in the Gregorian calendar run
// backwards), then the hour takes two digits if they make at most 23 and one
// otherwise, then two minute and two second digits (00-59), and nothing may
// follow. A '-' fails wherever it stands. So after an eight-digit date 12345
// (01:23:45) reads hour 12 and runs out of digits, 24000 reads 02:40:00, and
// times before 01:00 never have enough digits; a date of seven digits lends
// the time's first digit to the day (2024010 and 293015 read 2024-01-02
// 09:30:15).
//
// Qt reads the text as local time. The host runs in a zone without daylight
// saving, where every wall-clock time exists and comes back unchanged, so no
// zone is consulted here. Milliseconds are always 000.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sdk/textcopy.h"

namespace zqinternal {

// "yyyyMMdd hh:mm:ss zzz" and its NUL.
constexpr size_t kTimeTextCapacity = 22;

// Writes the stamp's text, NUL-terminated, and returns its length: 21, or 0
// when the pattern rejects the stamp.
size_t formatTimeText(int32_t date, int32_t timeOfDay, char (&text)[kTimeTextCapacity]);

template <size_t N>
void copyTimeText(char (&field)[N], int32_t date, int32_t timeOfDay) {
    char text[kTimeTextCapacity];
    copyText(field, text, formatTimeText(date, timeOfDay, text));
}

}  // namespace zqinternal
