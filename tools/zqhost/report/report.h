// The HTML report of a replay: one self-contained page (inline CSS and SVG,
// no script, nothing fetched) with the figures, the equity curve, a price
// chart per symbol with its fills marked, and the orders, fills and final
// positions. Every text from the run is escaped.
#pragma once

#include <string>

#include "runresult.h"

namespace zqhost {

std::string reportHtml(const RunResult& run);

// Writes reportHtml(run) to `path`, whole or not at all (atomicfile.h). On
// failure returns false with the reason in `error`.
bool writeReport(const RunResult& run, const std::string& path, std::string& error);

}  // namespace zqhost
