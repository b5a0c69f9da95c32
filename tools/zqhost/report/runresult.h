// What a replay produced, for the summary file, the HTML report and the
// closing lines on the terminal. Times are "yyyy-MM-dd hh:mm:ss" texts of
// the simulated clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "equitycurve.h"
#include "runinfo.h"

namespace zqhost {

struct OrderSummary {
    std::string id;  // the client order id the strategy sent
    std::string symbol;
    int32_t side = 0;  // 1 buy, 2 sell
    double price = 0;  // the limit; 0 for market orders
    int32_t amount = 0;
    int32_t filled = 0;
    std::string status;  // "filled", "partially filled", "open", "cancelled", "rejected"
    std::string time;    // when it was placed
    std::string reason;  // why it was rejected or cancelled, else empty
};

struct Fill {
    std::string orderId;
    std::string symbol;
    std::string time;
    int32_t side = 0;
    double price = 0;
    int32_t amount = 0;
    double commission = 0;
};

struct PositionSummary {
    std::string symbol;
    int64_t amount = 0;
    double averageCost = 0;
    double lastPrice = 0;
};

struct EquityPoint {
    std::string time;
    double equity = 0;  // cash plus positions at the bar's close
    bool holding = false;  // a position was held after the bar
};

struct PricePoint {
    std::string time;
    double close = 0;
};

struct SymbolPrices {
    std::string symbol;
    std::vector<PricePoint> closes;  // in time order: one per bar, or the first, lowest, highest and last of
                                     // each stretch of bars when there are many (seriesreducer.h)
};

struct FaultCount {
    std::string kind;  // as faultKindName names it
    int64_t count = 0;
};

// The faults injected into the run (zqhost --faults); an empty plan: none asked for.
struct FaultsRun {
    std::string plan;  // as faultPlanText writes it
    uint64_t seed = 0;
    std::vector<FaultCount> injected;  // every kind, in a fixed order
};

struct RunResult {
    RunInfo info;          // what was run and how it ended
    std::string strategy;  // the library's path
    std::string firstBar, lastBar;
    int64_t bars = 0;
    double startingCash = 0;
    double finalCash = 0;
    double finalEquity = 0;  // cash plus positions at their last price
    std::vector<OrderSummary> orders;
    std::vector<Fill> fills;
    std::vector<PositionSummary> positions;
    std::vector<EquityPoint> equity;  // one per bar time, or reduced like the prices
    std::vector<SymbolPrices> prices;
    FaultsRun faults;
    double riskFree = 0;  // a yearly rate, for the Sharpe and Sortino ratios
    // The curve's figures taken over every bar time as the replay went; when
    // absent (a result put together by hand) they are taken from `equity`.
    std::optional<CurveFigures> curve;
};

}  // namespace zqhost
