// sweep.html: a self-contained page with the sweep's ranking table, the
// failed sets with the end of their logs, and for a sweep of two varied
// parameters a heatmap (SVG) of the ranking figure over both.
#pragma once

#include <string>

#include "sweeptable.h"

namespace zqhost {

std::string sweepPageHtml(const SweepTable& table);

// The heatmap alone: an <svg> element, or empty unless exactly two
// parameters vary.
std::string heatmapSvg(const SweepTable& table);

}  // namespace zqhost
