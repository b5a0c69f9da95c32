// The figures a replay is judged by. They are computed from the RunResult
// alone, so the summary file, the HTML report and the terminal lines always
// agree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runresult.h"

namespace zqhost {

// The largest fall of the equity curve from a running peak to a later point,
// as a fraction of that peak. `peak` and `trough` are positions in the curve;
// both 0 when the curve never falls. Points at or below zero equity cannot be
// a peak: a fraction of them means nothing.
struct Drawdown {
    double fraction = 0;
    std::size_t peak = 0;
    std::size_t trough = 0;
    std::string peakTime, troughTime;  // empty without a fall
};

// A round trip is the closing part of one sell fill together with the shares
// it closes. Each sell fill closes shares bought earlier in the same symbol,
// oldest purchase first (FIFO, in the order of the fills list); a sell that
// finds no earlier purchase is a short sale and opens no round trip, and the
// part of a sell beyond the shares held is ignored. Its profit is
//   closed × sell price − sell commission × closed / sell amount
//   − Σ (shares taken from a purchase × (buy price + buy commission / bought)),
// so each commission is shared out by shares. A partial close is a round trip
// of its own; the rest of the purchase keeps the rest of its commission. The
// round trip wins when its profit, rounded to the cent, is positive: break-even
// is not a win.
struct RoundTrips {
    int64_t count = 0;
    int64_t winners = 0;
};

// One round trip as listed: entered at the time of the oldest purchase it
// closes, at the share-weighted price of the purchases; its commission is the
// shares' part of the buy and sell commissions.
struct RoundTrip {
    std::string symbol, entryTime, exitTime;
    double entryPrice = 0, exitPrice = 0;
    int64_t amount = 0;
    double pnl = 0, commission = 0;
    int64_t holdingSeconds = 0;  // exit time − entry time
    bool won = false;
};

// What holding a symbol from its first to its last bar would have returned.
struct BuyAndHold {
    std::string symbol;
    double firstClose = 0, lastClose = 0;
    std::optional<double> fraction;  // none when the first close is not positive
};

// Bars a year for annualising: 250 trading days of 240 trading minutes,
// divided into the bar spacing, and at least one bar a day. 0: unknown.
double barsPerYear(int64_t spacingSeconds);

struct Figures {
    double pnl = 0;                     // final equity − starting cash
    std::optional<double> totalReturn;  // final equity / starting cash − 1; none without starting cash
    Drawdown maxDrawdown;
    int64_t trades = 0;  // fills
    RoundTrips roundTrips;
    std::optional<double> winRate;  // winners / round trips; none when nothing was closed
    // The figures traders compare (docs/figures.md); none where undefined.
    double riskFree = 0;
    double barsPerYear = 0;
    std::optional<double> annualReturn, volatility, sharpe, sortino, calmar;
    int64_t longestDrawdownBars = 0;
    std::string longestDrawdownFrom, longestDrawdownTo;
    std::optional<double> exposure;
    int64_t losers = 0;
    std::optional<double> averageWin, averageLoss, profitFactor, expectancy, bestTrade, worstTrade;
    std::optional<double> averageHoldingSeconds;
    double commission = 0;
    std::vector<BuyAndHold> buyAndHold;  // each traded symbol
    std::vector<RoundTrip> trips;
};

std::optional<double> totalReturn(double startingCash, double finalEquity);
Drawdown maxDrawdown(const std::vector<EquityPoint>& curve);
RoundTrips roundTrips(const std::vector<Fill>& fills);
std::vector<RoundTrip> roundTripList(const std::vector<Fill>& fills);
// The curve's figures of a curve given whole; its times name the drawdowns.
CurveFigures curveFigures(const std::vector<EquityPoint>& curve, double startingCash);
Figures computeFigures(const RunResult& run);

// "3 of 5 round trips", or "no round trips": what a win rate was taken over.
std::string roundTripsNote(const RoundTrips& trips);

}  // namespace zqhost
