#include "figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "numbertext.h"

using namespace zqhost;

namespace {

Fill fill(int32_t side, const char* symbol, double price, int32_t amount, double commission, const char* time = "") {
    return {"", symbol, time, side, price, amount, commission};
}
Fill buy(double price, int32_t amount, double commission = 0, const char* symbol = "A", const char* time = "") {
    return fill(1, symbol, price, amount, commission, time);
}
Fill sell(double price, int32_t amount, double commission = 0, const char* symbol = "A", const char* time = "") {
    return fill(2, symbol, price, amount, commission, time);
}

std::vector<EquityPoint> curve(const std::vector<double>& values) {
    std::vector<EquityPoint> points;
    for (double v : values) points.push_back({"t" + std::to_string(points.size()), v});
    return points;
}

}  // namespace

// The deepest fall from a running peak, and the longest stretch of points
// below the peak before it is regained (or the curve ends).
TEST(Figures, DrawdownsAreMeasuredFromTheRunningPeak) {
    struct Case {
        const char* name;
        std::vector<double> equity;
        double fraction;
        std::size_t peak, trough;
        int64_t bars;  // the longest drawdown
        std::size_t from, to;
    };
    const Case cases[] = {
        {"no bars", {}, 0, 0, 0, 0, 0, 0},
        {"only rising", {100, 110, 120}, 0, 0, 0, 0, 0, 0},
        {"measured from the peak, not the start", {100, 150, 120, 160}, 0.2, 1, 2, 1, 1, 3},
        {"two falls, the second deeper", {100, 110, 99, 120, 84, 100}, 0.3, 3, 4, 2, 3, 5},
        {"two falls, the first deeper", {200, 150, 180, 210, 190}, 0.25, 0, 1, 2, 0, 3},
        {"a fall that continues after a bounce", {100, 80, 90, 60}, 0.4, 0, 3, 3, 0, 3},
        {"down to nothing", {100, 0, 50}, 1, 0, 1, 2, 0, 2},
        {"no positive peak", {0, -10}, 0, 0, 0, 1, 0, 1},
        {"one dip, regained", {100, 90, 100, 95}, 0.1, 0, 1, 1, 0, 2},
        {"still under water at the end", {100, 90, 100, 95, 96, 97}, 0.1, 0, 1, 3, 2, 5},
        {"the longer of two", {100, 99, 98, 97, 101, 100, 102}, 0.03, 0, 3, 3, 0, 4},
        {"a new high ends it", {100, 90, 95, 120, 119}, 0.1, 0, 1, 2, 0, 3},
    };
    for (const Case& c : cases) {
        Drawdown d = maxDrawdown(curve(c.equity));
        EXPECT_NEAR(d.fraction, c.fraction, 1e-12) << c.name;
        EXPECT_EQ(d.peak, c.peak) << c.name;
        EXPECT_EQ(d.trough, c.trough) << c.name;
        RunResult run;
        run.startingCash = 100;
        run.equity = curve(c.equity);
        Figures f = computeFigures(run);
        EXPECT_EQ(f.longestDrawdownBars, c.bars) << c.name;
        if (c.bars == 0) continue;
        EXPECT_EQ(f.longestDrawdownFrom, "t" + std::to_string(c.from)) << c.name;
        EXPECT_EQ(f.longestDrawdownTo, "t" + std::to_string(c.to)) << c.name;
    }
}

TEST(Figures, RoundTripsMatchSellsAgainstEarlierBuysOldestFirstWithCommission) {
    struct Case { const char* name; std::vector<Fill> fills; int64_t count, winners; };
    const Case cases[] = {
        {"no fills", {}, 0, 0},
        {"winning", {buy(10, 100, 5), sell(11, 100, 5)}, 1, 1},
        {"losing", {buy(10, 100), sell(9.5, 100)}, 1, 0},
        {"commission turns a gain into a loss", {buy(10, 100, 3), sell(10.05, 100, 3)}, 1, 0},
        {"break-even is no win", {buy(9.99, 100, 0.1), sell(10, 100, 0.9)}, 1, 0},  // off by 1e-13 in doubles
        {"a cent is a win", {buy(10, 100, 1), sell(10.03, 100, 1.99)}, 1, 1},
        {"partial closes each count", {buy(10, 300, 3), sell(11, 100, 1), sell(9, 200, 2)}, 2, 1},
        {"the oldest purchase is closed first", {buy(10, 100), buy(12, 100), sell(11, 100)}, 1, 1},
        {"then the next", {buy(10, 100), buy(12, 100), sell(11, 100), sell(11.5, 100)}, 2, 1},
        // 40 commission over 200 shares: 0.20 a share on each half.
        {"buy commission is shared by shares", {buy(10, 200, 40), sell(10.15, 100), sell(10.25, 100)}, 2, 1},
        {"the first close carries only its share", {buy(10, 200, 40), sell(10.25, 100)}, 1, 1},
        {"one sell across two purchases", {buy(10, 100), buy(11, 100), sell(10.6, 200)}, 1, 1},
        {"selling more than held closes what is held", {buy(10, 100), sell(10.03, 300, 6)}, 1, 1},
        {"a sell with nothing bought is a short sale", {sell(10, 100), buy(9, 100)}, 0, 0},
        {"symbols are matched separately",
         {buy(10, 100, 0, "A"), buy(20, 100, 0, "B"), sell(15, 100, 0, "A"), sell(19, 100, 0, "B")},
         2,
         1},
        {"empty and unknown fills are ignored", {buy(10, 0), fill(3, "A", 9, 100, 0), sell(9, 0)}, 0, 0},
    };
    for (const Case& c : cases) {
        RoundTrips trips = roundTrips(c.fills);
        EXPECT_EQ(trips.count, c.count) << c.name;
        EXPECT_EQ(trips.winners, c.winners) << c.name;
    }
}

TEST(Figures, ReturnAndWinRateAreAbsentRatherThanZeroWithoutTheirBasis) {
    EXPECT_NEAR(*totalReturn(1000, 1100), 0.1, 1e-12);
    EXPECT_NEAR(*totalReturn(1000, 950), -0.05, 1e-12);
    EXPECT_FALSE(totalReturn(0, 100) || totalReturn(-5, 100));
    RunResult run;
    run.startingCash = 1000;
    run.finalEquity = 980;
    run.fills = {buy(10, 100, 1)};
    Figures open = computeFigures(run);
    EXPECT_FALSE(open.winRate);
    EXPECT_EQ(open.trades, 1);
    EXPECT_NEAR(open.pnl, -20, 1e-9);
    EXPECT_EQ(roundTripsNote(open.roundTrips), "no round trips");
    run.fills = {buy(10, 300), sell(11, 100), sell(9, 100), sell(12, 100)};
    Figures closed = computeFigures(run);
    EXPECT_NEAR(*closed.winRate, 2.0 / 3, 1e-12);
    EXPECT_EQ(closed.trades, 4);
    EXPECT_EQ(roundTripsNote(closed.roundTrips), "2 of 3 round trips");
}

TEST(NumberText, MoneyPercentAndPriceTexts) {
    const std::pair<std::string, std::string> cases[] = {
        {groupedNumber(1234567.891, 2), "1,234,567.89"},
        {groupedNumber(-1234.5, 2), "-1,234.50"},
        {groupedNumber(999.999, 2), "1,000.00"},
        {groupedNumber(-0.001, 2), "0.00"},
        {groupedNumber(-123456, 0), "-123,456"},
        {groupedNumber(100, 0), "100"},
        {signedMoneyText(12.3), "+12.30"},
        {signedMoneyText(-12.3), "-12.30"},
        {signedMoneyText(0.001), "0.00"},
        {percentText(0.012345), "1.23%"},
        {percentText(0.1, true), "+10.00%"},
        {percentText(-0.05, true), "-5.00%"},
        {percentText(std::nullopt), "n/a"},
        {percentText(0.000035906), "0.0036%"},
        {percentText(-0.0000001, true), "-0.000010%"},
        {priceText(10.5), "10.50"},
        {priceText(2.635), "2.635"},
        {priceText(3.14159), "3.1416"},
        {priceText(0), "0.00"},
    };
    for (const auto& [actual, expected] : cases) EXPECT_EQ(actual, expected);
}

namespace {

// Four daily closes (250 bars a year) and three round trips, worked out by
// hand below.
RunResult dailyRun() {
    RunResult run;
    run.startingCash = 1000;
    run.finalEquity = 1030;
    run.riskFree = 0.02;
    const char* days[] = {"2024-03-04 15:00:00", "2024-03-05 15:00:00", "2024-03-06 15:00:00", "2024-03-07 15:00:00"};
    const double equity[] = {1010, 990, 1000, 1030};
    const bool holding[] = {true, true, false, false};
    for (int i = 0; i < 4; ++i) run.equity.push_back({days[i], equity[i], holding[i]});
    run.fills = {buy(10, 100, 1, "A", days[0]),  buy(11, 100, 1, "A", days[1]),
                 buy(5, 100, 0, "B", days[2]),
                 sell(12, 150, 3, "A", days[2]),  // 100 from the first purchase, 50 from the second
                 sell(10, 50, 1, "A", days[3]),   // the second's other 50
                 sell(5, 100, 0, "B", days[3])};
    const double a[] = {10, 11, 12, 10.5}, b[] = {5, 5, 5, 6}, c[] = {1, 2, 3, 4};
    for (auto [symbol, closes] : {std::pair<const char*, const double*>{"A", a}, {"B", b}, {"C", c}}) {
        SymbolPrices prices{symbol, {}};
        for (int i = 0; i < 4; ++i) prices.closes.push_back({days[i], closes[i]});
        run.prices.push_back(prices);
    }
    return run;
}

}  // namespace

TEST(Figures, EveryFigureOfASmallRunAsWorkedOutByHand) {
    Figures f = computeFigures(dailyRun());
    // Returns r = 1010/1000−1, 990/1010−1, 1000/990−1, 1030/1000−1
    //           = 0.01, −0.019802, 0.010101, 0.03; mean 0.0075748, sample sd 0.0205316;
    // downside deviation √((0.019802²)/4) = 0.009901; 250 bars a year.
    const double mean = (0.01 - 20.0 / 1010 + 10.0 / 990 + 0.03) / 4;
    const double r[] = {0.01, -20.0 / 1010, 10.0 / 990, 0.03};
    double squares = 0;
    for (double x : r) squares += (x - mean) * (x - mean);
    const double sd = std::sqrt(squares / 3), downside = 20.0 / 1010 / 2;
    struct Row { const char* name; std::optional<double> actual; double expected; };
    const Row rows[] = {
        {"bars a year", f.barsPerYear, 250},
        {"total return", f.totalReturn, 0.03},
        {"annual return", f.annualReturn, std::pow(1.03, 250.0 / 4) - 1},
        {"volatility", f.volatility, sd * std::sqrt(250.0)},
        {"Sharpe", f.sharpe, (mean * 250 - 0.02) / (sd * std::sqrt(250.0))},
        {"Sortino", f.sortino, (mean * 250 - 0.02) / (downside * std::sqrt(250.0))},
        {"max drawdown", f.maxDrawdown.fraction, 20.0 / 1010},
        {"Calmar", f.calmar, (std::pow(1.03, 62.5) - 1) / (20.0 / 1010)},
        {"longest drawdown", static_cast<double>(f.longestDrawdownBars), 2},  // 990 and 1000 below 1010
        {"exposure", f.exposure, 0.5},
        {"round trips", static_cast<double>(f.roundTrips.count), 3},
        {"winners", static_cast<double>(f.roundTrips.winners), 1},
        {"losers", static_cast<double>(f.losers), 1},  // B's round trip breaks even
        {"win rate", f.winRate, 1.0 / 3},
        // 150 × 12 − 3 − (100 × 10.01 + 50 × 11.01) = 245.5; 50 × 10 − 1 − 50 × 11.01 = −51.5
        {"average win", f.averageWin, 245.5},
        {"average loss", f.averageLoss, -51.5},
        {"profit factor", f.profitFactor, 245.5 / 51.5},
        {"expectancy", f.expectancy, (245.5 - 51.5) / 3},
        {"best trade", f.bestTrade, 245.5},
        {"worst trade", f.worstTrade, -51.5},
        {"average holding", f.averageHoldingSeconds, (2 + 2 + 1) * 86400.0 / 3},
        {"commission", f.commission, 6},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(row.actual.has_value()) << row.name;
        EXPECT_NEAR(*row.actual, row.expected, 1e-9 * std::max(1.0, std::fabs(row.expected))) << row.name;
    }
    EXPECT_EQ(f.maxDrawdown.peakTime + " to " + f.maxDrawdown.troughTime, "2024-03-04 15:00:00 to 2024-03-05 15:00:00");
    EXPECT_EQ(f.longestDrawdownFrom + " to " + f.longestDrawdownTo, "2024-03-04 15:00:00 to 2024-03-07 15:00:00");

    ASSERT_EQ(f.trips.size(), 3u);
    const RoundTrip& first = f.trips[0];
    EXPECT_EQ(first.entryTime, "2024-03-04 15:00:00");
    EXPECT_NEAR(first.entryPrice, (100 * 10 + 50 * 11) / 150.0, 1e-12);
    EXPECT_NEAR(first.commission, 1 + 0.5 + 3, 1e-12);
    EXPECT_EQ(first.amount, 150);
    EXPECT_EQ(f.trips[1].entryTime, "2024-03-05 15:00:00");

    ASSERT_EQ(f.buyAndHold.size(), 2u) << "only the traded symbols";
    EXPECT_EQ(f.buyAndHold[0].symbol, "A");
    EXPECT_NEAR(*f.buyAndHold[0].fraction, 0.05, 1e-12);
    EXPECT_NEAR(*f.buyAndHold[1].fraction, 0.2, 1e-12);
}

TEST(Figures, RatiosWithoutAMeaningAreAbsent) {
    struct Case {
        const char* name;
        std::vector<double> equity;
        const char* firstTime;
        bool volatility, sharpe, sortino, calmar, annual;
    };
    // Times a minute apart unless the first is not a time at all.
    const Case cases[] = {
        {"one point: no spacing, no spread", {1010}, "2024-03-04 09:31:00", false, false, false, false, false},
        {"only rising: no downside, no drawdown", {1010, 1020, 1030}, "2024-03-04 09:31:00", true, true, false, false, true},
        {"flat: no spread at all", {1000, 1000, 1000}, "2024-03-04 09:31:00", true, false, false, false, true},
        {"times unknown: nothing annualised", {1010, 990}, "t0", false, false, false, false, false},
    };
    for (const Case& c : cases) {
        RunResult run;
        run.startingCash = 1000;
        run.finalEquity = c.equity.back();
        for (std::size_t i = 0; i < c.equity.size(); ++i) {
            std::string time = c.firstTime;
            if (time != "t0") time[15] = static_cast<char>('1' + i);
            run.equity.push_back({time, c.equity[i]});
        }
        Figures f = computeFigures(run);
        EXPECT_EQ(f.volatility.has_value(), c.volatility) << c.name;
        EXPECT_EQ(f.sharpe.has_value(), c.sharpe) << c.name;
        EXPECT_EQ(f.sortino.has_value(), c.sortino) << c.name;
        EXPECT_EQ(f.calmar.has_value(), c.calmar) << c.name;
        EXPECT_EQ(f.annualReturn.has_value(), c.annual) << c.name;
        EXPECT_FALSE(f.profitFactor || f.averageWin || f.averageLoss || f.expectancy || f.averageHoldingSeconds) << c.name;
    }
}
