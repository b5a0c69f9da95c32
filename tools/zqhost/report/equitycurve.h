// The equity curve's figures, taken point by point as the replay goes, so a
// run of any length keeps a fixed amount of state instead of its whole
// curve. One EquityCurve per run, fed and read on the replay's thread.
//
// Each point is the equity after one bar time. Its return is measured against
// the point before it (the first point against the starting cash); a point
// after a non-positive equity has no return. Points are tagged by the caller
// (a bar's stamp, or a position in a curve) so the times of a drawdown can be
// named afterwards without keeping the times of every point.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zqhost {

struct EquityStats {
    int64_t points = 0;
    int64_t holdingPoints = 0;  // points after which a position was held
    int64_t returns = 0;
    double meanReturn = 0;
    double squaredDeviations = 0;     // Σ (r − mean)², for the sample variance
    double downsideSquares = 0;       // Σ min(r, 0)²
    int64_t spacingSeconds = 0;       // the smallest positive gap between points; 0: unknown
    double drawdown = 0;              // deepest fall from a running peak, as a fraction of the peak
    int64_t drawdownPeak = 0, drawdownTrough = 0;  // tags; both 0 without a fall
    int64_t longestDrawdown = 0;                   // most points in a row below a running peak
    int64_t longestFrom = 0, longestTo = 0;        // tags of that peak and of the point regaining it (or the last)
};

class EquityCurve {
public:
    explicit EquityCurve(double startingCash) : previous_(startingCash) {}

    // `seconds` is the point's time for spacing (negative: unknown).
    void add(double equity, int64_t seconds, int64_t tag, bool holding);
    EquityStats stats() const;

private:
    void trackDrawdown(double equity, int64_t tag);

    EquityStats stats_;
    double previous_;
    int64_t previousSeconds_ = -1;
    bool timesKnown_ = true;
    double peak_ = 0;
    int64_t peakTag_ = 0;
    bool havePeak_ = false;
    // The running peak the current stretch under water started from.
    double regain_ = 0;
    int64_t regainTag_ = 0, regainPoint_ = 0, lastTag_ = 0;
};

}  // namespace zqhost

namespace zqhost {

// The stats with the tags of their drawdowns turned into times.
struct CurveFigures {
    EquityStats stats;
    std::string drawdownPeak, drawdownTrough, longestFrom, longestTo;
};

// `timeOf` names a tag; times stay empty without a drawdown.
CurveFigures nameTimes(const EquityStats& stats, const std::function<std::string(int64_t)>& timeOf);

}  // namespace zqhost
