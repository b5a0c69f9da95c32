#include "figures.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>

namespace zqhost {

namespace {

constexpr int32_t kBuy = 1;
constexpr int32_t kSell = 2;

struct Lot {
    int64_t shares = 0;
    double costPerShare = 0;  // buy price plus the buy commission per share
};

using Lots = std::deque<Lot>;

// Takes up to `wanted` shares from the oldest lots; returns the shares taken
// and adds their cost to `cost`.
int64_t closeLots(Lots& lots, int64_t wanted, double& cost) {
    int64_t taken = 0;
    while (taken < wanted && !lots.empty()) {
        Lot& lot = lots.front();
        int64_t part = std::min(lot.shares, wanted - taken);
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

}  // namespace

std::optional<double> totalReturn(double startingCash, double finalEquity) {
    if (startingCash <= 0) return std::nullopt;
    return finalEquity / startingCash - 1;
}

Drawdown maxDrawdown(const std::vector<EquityPoint>& curve) {
    Drawdown worst;
    std::size_t peak = 0;
    for (std::size_t i = 0; i < curve.size(); ++i) {
        if (curve[i].equity > curve[peak].equity) peak = i;
        if (curve[peak].equity <= 0) continue;
        double fall = (curve[peak].equity - curve[i].equity) / curve[peak].equity;
        if (fall > worst.fraction) worst = {fall, peak, i};
    }
    return worst;
}

RoundTrips roundTrips(const std::vector<Fill>& fills) {
    RoundTrips trips;
    std::map<std::string, Lots> held;
    for (const Fill& fill : fills) {
        if (fill.amount <= 0) continue;
        Lots& lots = held[fill.symbol];
        if (fill.side == kBuy) {
            lots.push_back({fill.amount, fill.price + fill.commission / fill.amount});
        } else if (fill.side == kSell) {
            double cost = 0;
            int64_t closed = closeLots(lots, fill.amount, cost);
            if (closed == 0) continue;
            double proceeds = closed * fill.price - fill.commission * closed / fill.amount;
            ++trips.count;
            if (madeMoney(proceeds - cost)) ++trips.winners;
        }
    }
    return trips;
}

Figures computeFigures(const RunResult& run) {
    Figures figures;
    figures.pnl = run.finalEquity - run.startingCash;
    figures.totalReturn = totalReturn(run.startingCash, run.finalEquity);
    figures.maxDrawdown = maxDrawdown(run.equity);
    figures.trades = static_cast<int64_t>(run.fills.size());
    figures.roundTrips = roundTrips(run.fills);
    if (figures.roundTrips.count > 0)
        figures.winRate = static_cast<double>(figures.roundTrips.winners) / figures.roundTrips.count;
    return figures;
}

std::string roundTripsNote(const RoundTrips& trips) {
    if (trips.count == 0) return "no round trips";
    return std::to_string(trips.winners) + " of " + std::to_string(trips.count) + " round trips";
}

}  // namespace zqhost
