#include "figures.h"

#include "timetext.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <set>

namespace zqhost {

namespace {

constexpr int32_t kBuy = 1;
constexpr int32_t kSell = 2;
constexpr double kTradingDays = 250;
constexpr double kTradingSecondsADay = 240 * 60;

struct Lot {
    int64_t shares = 0;
    double price = 0;
    double commissionPerShare = 0;
    double costPerShare = 0;  // price plus commission per share, summed once so profits round the same way
    std::string time;
};

using Lots = std::deque<Lot>;

// Takes up to `trip.amount` shares from the oldest lots into `trip`: the
// entry time, the shares' buy value (in entryPrice, as a sum) and their part
// of the buy commissions, and their cost to `cost`. Returns the shares taken.
int64_t closeLots(Lots& lots, int64_t wanted, RoundTrip& trip, double& cost) {
    int64_t taken = 0;
    while (taken < wanted && !lots.empty()) {
        Lot& lot = lots.front();
        if (taken == 0) trip.entryTime = lot.time;
        int64_t part = std::min(lot.shares, wanted - taken);
        trip.entryPrice += part * lot.price;
        trip.commission += part * lot.commissionPerShare;
        cost += part * lot.costPerShare;
        lot.shares -= part;
        taken += part;
        if (lot.shares == 0) lots.pop_front();
    }
    return taken;
}

bool madeMoney(double profit) {
    return std::round(profit * 100) > 0;
}
bool lostMoney(double profit) {
    return std::round(profit * 100) < 0;
}

int64_t secondsOf(const std::string& time) {
    int64_t stamp = 0, seconds = 0;
    return parseStamp(time, stamp, seconds) ? seconds : -1;
}

std::optional<double> ratio(double numerator, double denominator) {
    if (denominator == 0 || !std::isfinite(numerator / denominator)) return std::nullopt;
    return numerator / denominator;
}

void addCurveFigures(const CurveFigures& curve, double startingCash, double finalEquity, Figures& f) {
    const EquityStats& s = curve.stats;
    f.maxDrawdown.fraction = s.drawdown;
    f.maxDrawdown.peakTime = curve.drawdownPeak;
    f.maxDrawdown.troughTime = curve.drawdownTrough;
    f.longestDrawdownBars = s.longestDrawdown;
    f.longestDrawdownFrom = curve.longestFrom;
    f.longestDrawdownTo = curve.longestTo;
    if (s.points > 0) f.exposure = static_cast<double>(s.holdingPoints) / s.points;
    f.barsPerYear = barsPerYear(s.spacingSeconds);
    const double p = f.barsPerYear;
    if (p <= 0 || s.returns == 0) return;
    if (startingCash > 0 && finalEquity > 0) {
        f.annualReturn = std::pow(finalEquity / startingCash, p / s.returns) - 1;
        if (!std::isfinite(*f.annualReturn)) f.annualReturn.reset();
    }
    const double excess = s.meanReturn * p - f.riskFree;
    if (s.returns > 1) {
        double deviation = std::sqrt(s.squaredDeviations / (s.returns - 1));
        f.volatility = deviation * std::sqrt(p);
        f.sharpe = ratio(excess, *f.volatility);
    }
    f.sortino = ratio(excess, std::sqrt(s.downsideSquares / s.returns) * std::sqrt(p));
    if (f.annualReturn) f.calmar = ratio(*f.annualReturn, s.drawdown);
}

void addTripFigures(Figures& f) {
    double won = 0, lost = 0, total = 0, held = 0;
    int64_t timed = 0;
    for (const RoundTrip& t : f.trips) {
        if (t.won) won += t.pnl;
        if (lostMoney(t.pnl)) lost += t.pnl, ++f.losers;
        total += t.pnl;
        f.bestTrade = std::max(f.bestTrade.value_or(t.pnl), t.pnl);
        f.worstTrade = std::min(f.worstTrade.value_or(t.pnl), t.pnl);
        if (t.holdingSeconds >= 0) held += static_cast<double>(t.holdingSeconds), ++timed;
    }
    if (f.roundTrips.winners > 0) f.averageWin = won / f.roundTrips.winners;
    if (f.losers > 0) f.averageLoss = lost / f.losers;
    if (f.losers > 0) f.profitFactor = won / -lost;
    if (!f.trips.empty()) f.expectancy = total / f.trips.size();
    if (timed > 0) f.averageHoldingSeconds = held / timed;
}

std::vector<BuyAndHold> buyAndHold(const RunResult& run) {
    std::set<std::string> traded;
    for (const Fill& fill : run.fills) traded.insert(fill.symbol);
    std::vector<BuyAndHold> out;
    for (const SymbolPrices& prices : run.prices) {
        if (!traded.count(prices.symbol) || prices.closes.empty()) continue;
        BuyAndHold hold{prices.symbol, prices.closes.front().close, prices.closes.back().close, std::nullopt};
        if (hold.firstClose > 0) hold.fraction = hold.lastClose / hold.firstClose - 1;
        out.push_back(hold);
    }
    return out;
}

}  // namespace

double barsPerYear(int64_t spacingSeconds) {
    if (spacingSeconds <= 0) return 0;
    return kTradingDays * std::max(1.0, kTradingSecondsADay / static_cast<double>(spacingSeconds));
}

std::optional<double> totalReturn(double startingCash, double finalEquity) {
    if (startingCash <= 0) return std::nullopt;
    return finalEquity / startingCash - 1;
}

CurveFigures curveFigures(const std::vector<EquityPoint>& curve, double startingCash) {
    EquityCurve accumulated(startingCash);
    for (std::size_t i = 0; i < curve.size(); ++i)
        accumulated.add(curve[i].equity, secondsOf(curve[i].time), static_cast<int64_t>(i), curve[i].holding);
    return nameTimes(accumulated.stats(), [&](int64_t i) { return curve[static_cast<std::size_t>(i)].time; });
}

Drawdown maxDrawdown(const std::vector<EquityPoint>& curve) {
    EquityCurve accumulated(0);
    for (std::size_t i = 0; i < curve.size(); ++i) accumulated.add(curve[i].equity, -1, static_cast<int64_t>(i), false);
    EquityStats stats = accumulated.stats();
    Drawdown worst{stats.drawdown, static_cast<std::size_t>(stats.drawdownPeak),
                   static_cast<std::size_t>(stats.drawdownTrough), "", ""};
    if (worst.fraction > 0) worst.peakTime = curve[worst.peak].time, worst.troughTime = curve[worst.trough].time;
    return worst;
}

std::vector<RoundTrip> roundTripList(const std::vector<Fill>& fills) {
    std::vector<RoundTrip> trips;
    std::map<std::string, Lots> held;
    for (const Fill& fill : fills) {
        if (fill.amount <= 0) continue;
        Lots& lots = held[fill.symbol];
        if (fill.side == kBuy) {
            double perShare = fill.commission / fill.amount;
            lots.push_back({fill.amount, fill.price, perShare, fill.price + perShare, fill.time});
        } else if (fill.side == kSell) {
            RoundTrip trip;
            double cost = 0;
            int64_t closed = closeLots(lots, fill.amount, trip, cost);
            if (closed == 0) continue;
            double sellCommission = fill.commission * closed / fill.amount;
            trip.symbol = fill.symbol;
            trip.exitTime = fill.time;
            trip.exitPrice = fill.price;
            trip.amount = closed;
            trip.entryPrice /= closed;
            trip.commission += sellCommission;
            trip.pnl = closed * fill.price - fill.commission * closed / fill.amount - cost;
            trip.won = madeMoney(trip.pnl);
            int64_t entry = secondsOf(trip.entryTime), exit = secondsOf(trip.exitTime);
            trip.holdingSeconds = entry >= 0 && exit >= 0 ? exit - entry : -1;
            trips.push_back(trip);
        }
    }
    return trips;
}

RoundTrips roundTrips(const std::vector<Fill>& fills) {
    RoundTrips counted;
    for (const RoundTrip& trip : roundTripList(fills)) {
        ++counted.count;
        if (trip.won) ++counted.winners;
    }
    return counted;
}

Figures computeFigures(const RunResult& run) {
    Figures figures;
    figures.pnl = run.finalEquity - run.startingCash;
    figures.totalReturn = totalReturn(run.startingCash, run.finalEquity);
    figures.trades = static_cast<int64_t>(run.fills.size());
    figures.trips = roundTripList(run.fills);
    for (const RoundTrip& trip : figures.trips) {
        ++figures.roundTrips.count;
        if (trip.won) ++figures.roundTrips.winners;
    }
    if (figures.roundTrips.count > 0)
        figures.winRate = static_cast<double>(figures.roundTrips.winners) / figures.roundTrips.count;
    figures.riskFree = run.riskFree;
    CurveFigures curve = run.curve ? *run.curve : curveFigures(run.equity, run.startingCash);
    addCurveFigures(curve, run.startingCash, run.finalEquity, figures);
    addTripFigures(figures);
    for (const Fill& fill : run.fills) figures.commission += fill.commission;
    figures.buyAndHold = buyAndHold(run);
    return figures;
}

std::string roundTripsNote(const RoundTrips& trips) {
    if (trips.count == 0) return "no round trips";
    return std::to_string(trips.winners) + " of " + std::to_string(trips.count) + " round trips";
}

}  // namespace zqhost
