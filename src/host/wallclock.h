// The library's one reading of the local wall clock: the system's, or the
// host's when it replays history (zq/clocksource.h).
#pragma once

#include <cstdint>
#include <string>

// "yyyyMMdd hh:mm:ss zzz".
std::string wallClockText();
// "hh:mm:ss zzz".
std::string timeOfDayText();
// "yyyyMMdd hh:mm:ss zzz" of an instant in the local time zone, as Qt's
// local QDateTime writes it, for years 1000 to 9999.
std::string localTimeText(int64_t msSinceEpoch);
