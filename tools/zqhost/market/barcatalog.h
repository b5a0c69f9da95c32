// What a first pass over the bar files learns before anything runs, reading
// only each row's symbol and time (nothing is kept): the symbols, each
// file's bar period, the stretches of each file that are in time order (a
// file written symbol after symbol has one per symbol, and each is read by a
// reader of its own), and how many bars will be delivered. A row whose
// symbol or time is bad, or a bar not later than the one before it, stops
// the run before it starts; the values are read, and a bad one refused, only
// when the run reaches them. One thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "symboltable.h"

namespace zqhost {

// Bar periods in seconds.
constexpr int32_t kMinute = 60;
constexpr int32_t kDay = 86400;
// "kline_1m" ... "kline_1d" of a period; null for a period the library has no name for.
const char* periodName(int32_t period);
// The period of "1m", "5m", "15m", "30m", "60m", "1d" or of a library name; 0 for none.
int32_t periodOf(const std::string& text);

struct BarCatalog {
    // A stretch of a file in time order, from the row at `offset` (line
    // `line`) to the row at `stop`.
    struct Run {
        size_t file = 0;
        int64_t offset = 0, line = 0, stop = INT64_MAX;
    };

    std::vector<std::string> paths;
    SymbolTable symbols;
    std::vector<int32_t> periods;       // per file
    std::vector<int32_t> symbolPeriod;  // per symbol
    std::vector<Run> runs;
    int64_t start = 0, end = INT64_MAX;  // stamps: earlier bars are history, later ones not read
    int64_t delivered = 0;               // bars from start to end
    int64_t firstDelivered = 0;          // the stamps of the first and the last of them
    int64_t lastDelivered = 0;
};

// Reads every file; `period` 0 detects each file's from the spacing of its
// bars. On the first problem returns false with "FILE:LINE: what" or
// "FILE: what" in `error`.
bool scanBarFiles(BarCatalog& catalog, int32_t period, std::string& error);

}  // namespace zqhost
