// The market data a replay runs over: 1-minute (or any period) bars read
// from CSV files and merged into one time-ordered stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zqhost {

struct Bar {
    std::string symbol;
    int64_t stamp = 0;    // yyyyMMddhhmmss
    int64_t seconds = 0;  // the same time as seconds since 1970-01-01 00:00:00, for spans
    double open = 0, high = 0, low = 0, close = 0, volume = 0, amount = 0;

    int32_t date() const { return static_cast<int32_t>(stamp / 1000000); }       // yyyyMMdd
    int32_t timeOfDay() const { return static_cast<int32_t>(stamp % 1000000); }  // hhmmss
};

// "yyyy-MM-dd hh:mm:ss".
std::string displayTime(int64_t stamp);
// "yyyyMMdd hh:mm:ss 000", the host's stamp on pushes and ticks.
std::string hostTime(int64_t stamp);
// yyyyMMddhhmmss from "yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd" or
// "yyyyMMddhhmmss"; false when the text is none of these or no valid time.
bool parseStamp(const std::string& text, int64_t& stamp, int64_t& seconds);

// Reads every file (a header row naming the columns symbol, time, open,
// high, low, close, volume and optionally amount, in any order; other
// columns ignored) and merges the bars in time order, files and rows keeping
// their order among bars of the same time. On the first problem returns
// false with "FILE:LINE: what" in `error` and no bars.
bool readBarFiles(const std::vector<std::string>& paths, std::vector<Bar>& bars, std::string& error);

}  // namespace zqhost
