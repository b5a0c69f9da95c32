// A bar of market data as the replay handles it; the texts of its times are
// in timetext.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "timetext.h"

namespace zqhost {

// The longest symbol a bar or order record holds (14 bytes with the end).
constexpr size_t kMaxSymbolBytes = 13;

struct Bar {
    std::string symbol;  // never longer than kMaxSymbolBytes, so never on the heap
    uint32_t symbolId = 0;  // the symbol's index in the replay's symbol table
    int32_t period = 60;    // seconds between the file's bars; 86400 for days
    int64_t stamp = 0;      // yyyyMMddhhmmss
    int64_t seconds = 0;    // the same time as seconds since 1970-01-01 00:00:00, for spans
    double open = 0, high = 0, low = 0, close = 0, volume = 0, amount = 0;

    int32_t date() const { return static_cast<int32_t>(stamp / 1000000); }       // yyyyMMdd
    int32_t timeOfDay() const { return static_cast<int32_t>(stamp % 1000000); }  // hhmmss
};

}  // namespace zqhost
