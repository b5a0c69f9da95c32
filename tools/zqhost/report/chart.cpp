#include "chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "htmltext.h"
#include "numbertext.h"

namespace zqhost {

namespace {

constexpr double kWidth = 1000, kHeight = 280;
constexpr double kLeft = 90, kRight = 16, kTop = 30, kBottom = 34;
constexpr double kPlotWidth = kWidth - kLeft - kRight, kPlotHeight = kHeight - kTop - kBottom;
constexpr std::size_t kTimeLabels = 6;
constexpr std::size_t kMaxDayLabels = 12;  // beyond that dates would overlap

struct Scale {
    double low = 0, high = 1;
    std::size_t count = 0;
    double x(std::size_t position) const {
        return count < 2 ? kLeft + kPlotWidth / 2 : kLeft + kPlotWidth * position / (count - 1);
    }
    double y(double value) const { return kTop + kPlotHeight * (high - value) / (high - low); }
};

std::string num(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string line(double x1, double y1, double x2, double y2, const std::string& style) {
    return "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" + num(y2) + "\" " +
           style + "/>";
}

std::string text(double x, double y, const std::string& anchor, const std::string& content,
                 const std::string& extra = "") {
    return "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" text-anchor=\"" + anchor + "\"" + extra + ">" +
           escapeHtml(content) + "</text>";
}

Scale scaleFor(const LineChart& chart) {
    auto [low, high] = std::minmax_element(chart.values.begin(), chart.values.end());
    Scale scale{*low, *high, chart.values.size()};
    for (const ChartMarker& marker : chart.markers) {
        scale.low = std::min(scale.low, marker.value);
        scale.high = std::max(scale.high, marker.value);
    }
    if (chart.reference) {
        scale.low = std::min(scale.low, *chart.reference);
        scale.high = std::max(scale.high, *chart.reference);
    }
    double pad = scale.high > scale.low ? (scale.high - scale.low) * 0.05 : std::max(std::abs(scale.high) * 0.01, 0.01);
    scale.low -= pad;
    scale.high += pad;
    return scale;
}

// A step of 1, 2 or 5 times a power of ten giving about five grid lines.
double gridStep(double range) {
    double raw = range / 5;
    double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double norm = raw / magnitude;
    return (norm < 1.5 ? 1 : norm < 3 ? 2 : norm < 7 ? 5 : 10) * magnitude;
}

std::string valueAxis(const Scale& scale) {
    double step = gridStep(scale.high - scale.low);
    int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 4);
    std::string out;
    double first = std::ceil(scale.low / step);
    // Counted, so values too large for their spread (first + 1 == first) still end.
    for (int k = 0; k < 12 && (first + k) * step <= scale.high; ++k) {
        double value = (first + k) * step, y = scale.y(value);
        out += line(kLeft, y, kWidth - kRight, y, "stroke=\"#e3e6ea\"");
        out += text(kLeft - 6, y + 4, "end", groupedNumber(value, decimals));
    }
    return out;
}

std::string day(const std::string& time) {
    return time.substr(0, 10);
}

std::string dateLabel(const std::string& time) {
    return time.size() >= 10 ? time.substr(5, 5) : time;
}

std::string shortTime(const std::string& time, bool manyDays) {
    if (time.size() < 16) return time;
    return manyDays ? time.substr(5, 11) : time.substr(11, 5);
}

std::vector<std::size_t> dayStarts(const std::vector<std::string>& times) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 1; i < times.size() && starts.size() <= kMaxDayLabels; ++i)
        if (day(times[i]) != day(times[i - 1])) starts.push_back(i);
    return starts;
}

// A few days of intraday bars: a dotted line and the date where each day
// begins, since evenly spaced times would fall anywhere in a session.
std::string dayAxis(const std::vector<std::string>& times, const std::vector<std::size_t>& starts, const Scale& scale) {
    std::string out = text(scale.x(0), kHeight - 10, "start", dateLabel(times[0]));
    for (std::size_t i : starts) {
        out += line(scale.x(i), kTop, scale.x(i), kTop + kPlotHeight, "stroke=\"#c9ced6\" stroke-dasharray=\"2,3\"");
        out += text(scale.x(i) + 4, kHeight - 10, "start", dateLabel(times[i]));
    }
    return out;
}

std::string timeAxis(const std::vector<std::string>& times, const Scale& scale) {
    if (times.empty()) return {};
    std::vector<std::size_t> starts = dayStarts(times);
    if (!starts.empty() && starts.size() <= kMaxDayLabels) return dayAxis(times, starts, scale);
    bool manyDays = !starts.empty();
    std::string out;
    std::size_t labels = std::min(kTimeLabels, times.size());
    for (std::size_t k = 0; k < labels; ++k) {
        std::size_t position = labels < 2 ? 0 : k * (times.size() - 1) / (labels - 1);
        const char* anchor = labels < 2 ? "middle" : k == 0 ? "start" : k + 1 == labels ? "end" : "middle";
        out += text(scale.x(position), kHeight - 10, anchor, shortTime(times[position], manyDays));
    }
    return out;
}

std::string polyline(const LineChart& chart, const Scale& scale) {
    if (chart.values.size() == 1)  // a line through one point draws nothing
        return "<circle cx=\"" + num(scale.x(0)) + "\" cy=\"" + num(scale.y(chart.values[0])) + "\" r=\"3\" fill=\"" +
               escapeHtml(chart.color) + "\"/>";
    std::string points;
    for (std::size_t i : thinnedPositions(chart.values, kMaxChartPoints)) {
        if (!points.empty()) points += ' ';
        points += num(scale.x(i)) + "," + num(scale.y(chart.values[i]));
    }
    return "<polyline fill=\"none\" stroke=\"" + escapeHtml(chart.color) +
           "\" stroke-width=\"1.5\" stroke-linejoin=\"round\" points=\"" + points + "\"/>";
}

std::string marker(const ChartMarker& marker, const Scale& scale) {
    double x = scale.x(marker.position), y = scale.y(marker.value);
    double tip = marker.buy ? -7 : 7, base = marker.buy ? 4 : -4;
    std::string path = "M" + num(x) + "," + num(y + tip) + "L" + num(x - 6) + "," + num(y + base) + "L" + num(x + 6) +
                       "," + num(y + base) + "Z";
    return std::string("<path class=\"") + (marker.buy ? "buy\" fill=\"#1a9641\"" : "sell\" fill=\"#d7191c\"") +
           " stroke=\"#fff\" stroke-width=\"0.8\" d=\"" + path + "\"><title>" + escapeHtml(marker.label) +
           "</title></path>";
}

std::string legend(const LineChart& chart) {
    if (chart.markers.empty()) return {};
    return "<text x=\"" + num(kWidth - kRight) +
           "\" y=\"18\" text-anchor=\"end\">"
           "<tspan fill=\"#1a9641\">\u25B2</tspan> buy  <tspan fill=\"#d7191c\">\u25BC</tspan> sell</text>";
}

}  // namespace

std::vector<std::size_t> thinnedPositions(const std::vector<double>& values, std::size_t maxPoints) {
    maxPoints = std::max<std::size_t>(maxPoints, 4);
    std::size_t n = values.size();
    std::vector<std::size_t> kept;
    if (n <= maxPoints) {
        for (std::size_t i = 0; i < n; ++i) kept.push_back(i);
        return kept;
    }
    std::size_t runs = (maxPoints - 2) / 2, inner = n - 2;
    kept.push_back(0);
    for (std::size_t r = 0; r < runs; ++r) {
        auto begin = values.begin() + 1 + r * inner / runs, end = values.begin() + 1 + (r + 1) * inner / runs;
        auto [low, high] = std::minmax_element(begin, end);
        std::size_t a = low - values.begin(), b = high - values.begin();
        kept.push_back(std::min(a, b));
        if (a != b) kept.push_back(std::max(a, b));
    }
    kept.push_back(n - 1);
    return kept;
}

std::string lineChartSvg(const LineChart& chart) {
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + num(kWidth) + " " + num(kHeight) +
                      "\" width=\"100%\" font-size=\"12\" fill=\"#444\" role=\"img\" aria-label=\"" +
                      escapeHtml(chart.title) + "\">";
    out += text(kLeft, 18, "start", chart.title, " font-weight=\"bold\"");
    if (chart.values.empty()) return out + text(kWidth / 2, kHeight / 2, "middle", "no bars") + "</svg>";
    Scale scale = scaleFor(chart);
    out += valueAxis(scale) + timeAxis(chart.times, scale);
    if (chart.reference) {
        double y = scale.y(*chart.reference);
        out += line(kLeft, y, kWidth - kRight, y, "stroke=\"#888\" stroke-dasharray=\"6,4\"");
    }
    out += polyline(chart, scale);
    for (const ChartMarker& m : chart.markers) out += marker(m, scale);
    return out + legend(chart) + "</svg>";
}

}  // namespace zqhost
