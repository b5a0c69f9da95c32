// The machine-readable summary of a replay: one JSON object with the account
// at the end, every order and fill, the final positions, the P&L and the
// figures (figures.h). Amounts of money and prices are plain JSON numbers;
// a figure without a value (a return without starting cash, a win rate
// without round trips) is null.
#pragma once

#include <string>

#include "runresult.h"

namespace zqhost {

std::string summaryJson(const RunResult& run);

// Writes summaryJson(run) to `path`, whole or not at all (atomicfile.h). On
// failure returns false with the reason in `error`.
bool writeSummary(const RunResult& run, const std::string& path, std::string& error);

}  // namespace zqhost
