#include "equitycurve.h"

namespace zqhost {

void EquityCurve::add(double equity, int64_t seconds, int64_t tag, bool holding) {
    if (previous_ > 0) {
        double r = equity / previous_ - 1;
        ++stats_.returns;
        double delta = r - stats_.meanReturn;
        stats_.meanReturn += delta / stats_.returns;
        stats_.squaredDeviations += delta * (r - stats_.meanReturn);
        if (r < 0) stats_.downsideSquares += r * r;
    }
    previous_ = equity;
    if (seconds < 0) timesKnown_ = false;
    if (timesKnown_ && previousSeconds_ >= 0 && seconds > previousSeconds_) {
        int64_t gap = seconds - previousSeconds_;
        if (stats_.spacingSeconds == 0 || gap < stats_.spacingSeconds) stats_.spacingSeconds = gap;
    }
    previousSeconds_ = seconds;
    if (holding) ++stats_.holdingPoints;
    trackDrawdown(equity, tag);
    ++stats_.points;
    lastTag_ = tag;
}

// The same fall as the deepest-drawdown rule: a point above the running peak
// becomes the peak, and a peak at or below zero measures nothing. A stretch
// under water ends at the first point back at its peak; its length is the
// number of points below the peak.
void EquityCurve::trackDrawdown(double equity, int64_t tag) {
    const int64_t point = stats_.points;
    if (!havePeak_ || equity > peak_) peak_ = equity, peakTag_ = tag, havePeak_ = true;
    if (peak_ > 0) {
        double fall = (peak_ - equity) / peak_;
        if (fall > stats_.drawdown) {
            stats_.drawdown = fall;
            stats_.drawdownPeak = peakTag_;
            stats_.drawdownTrough = tag;
        }
    }
    if (point == 0 || equity >= regain_) {
        if (point - regainPoint_ - 1 > stats_.longestDrawdown) {
            stats_.longestDrawdown = point - regainPoint_ - 1;
            stats_.longestFrom = regainTag_;
            stats_.longestTo = tag;
        }
        regain_ = equity, regainTag_ = tag, regainPoint_ = point;
    }
}

EquityStats EquityCurve::stats() const {
    EquityStats out = stats_;
    if (!timesKnown_) out.spacingSeconds = 0;
    // A stretch still under water at the end lasts to the last point.
    int64_t open = stats_.points - 1 - regainPoint_;
    if (stats_.points > 0 && open > out.longestDrawdown) {
        out.longestDrawdown = open;
        out.longestFrom = regainTag_;
        out.longestTo = lastTag_;
    }
    return out;
}

}  // namespace zqhost

namespace zqhost {

CurveFigures nameTimes(const EquityStats& stats, const std::function<std::string(int64_t)>& timeOf) {
    CurveFigures named{stats, "", "", "", ""};
    if (stats.drawdown > 0) {
        named.drawdownPeak = timeOf(stats.drawdownPeak);
        named.drawdownTrough = timeOf(stats.drawdownTrough);
    }
    if (stats.longestDrawdown > 0) {
        named.longestFrom = timeOf(stats.longestFrom);
        named.longestTo = timeOf(stats.longestTo);
    }
    return named;
}

}  // namespace zqhost
