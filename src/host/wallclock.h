// The library's one reading of the local wall clock: the system's, or the
// host's when it replays history (zq/clocksource.h).
#pragma once

#include <string>

// "yyyyMMdd hh:mm:ss zzz".
std::string wallClockText();
// "hh:mm:ss zzz".
std::string timeOfDayText();
