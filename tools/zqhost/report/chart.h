// An SVG line chart of one series over bar positions, drawn for the HTML
// report. Bars are spaced evenly whatever their time, so the lunch break and
// the nights take no room. Long series are thinned to a bounded number of
// points that keeps every local high and low, so a chart of many thousand
// bars stays a few tens of kilobytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zqhost {

struct ChartMarker {
    std::size_t position = 0;  // the bar it belongs to
    double value = 0;
    bool buy = true;    // buys are green ▲, sells red ▼
    std::string label;  // shown as the marker's tooltip
};

struct LineChart {
    std::string title;
    std::vector<std::string> times;  // one per value, "yyyy-MM-dd hh:mm:ss"
    std::vector<double> values;
    std::vector<ChartMarker> markers;
    std::optional<double> reference;  // a dashed level, such as the starting cash
    std::string color = "#1f5fa8";
};

constexpr std::size_t kMaxChartPoints = 1500;

// Positions of the points to draw, in increasing order: the first, the last,
// and the lowest and highest of each of the evenly sized runs between them.
// All positions when there are no more than `maxPoints` (at least 4).
std::vector<std::size_t> thinnedPositions(const std::vector<double>& values, std::size_t maxPoints);

// One <svg> element, scaled to its container's width.
std::string lineChartSvg(const LineChart& chart);

}  // namespace zqhost
