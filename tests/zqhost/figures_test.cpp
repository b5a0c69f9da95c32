#include "figures.h"

#include <gtest/gtest.h>

#include "numbertext.h"

using namespace zqhost;

namespace {

Fill fill(int32_t side, const char* symbol, double price, int32_t amount, double commission) {
    Fill f;
    f.symbol = symbol;
    f.side = side;
    f.price = price;
    f.amount = amount;
    f.commission = commission;
    return f;
}
Fill buy(double price, int32_t amount, double commission = 0, const char* symbol = "A") {
    return fill(1, symbol, price, amount, commission);
}
Fill sell(double price, int32_t amount, double commission = 0, const char* symbol = "A") {
    return fill(2, symbol, price, amount, commission);
}

std::vector<EquityPoint> curve(const std::vector<double>& values) {
    std::vector<EquityPoint> points;
    for (double v : values) points.push_back({"t" + std::to_string(points.size()), v});
    return points;
}

}  // namespace

TEST(Figures, MaxDrawdownIsTheDeepestFallFromARunningPeak) {
    struct Case {
        const char* name;
        std::vector<double> equity;
        double fraction;
        std::size_t peak, trough;
    };
    const Case cases[] = {
        {"no bars", {}, 0, 0, 0},
        {"only rising", {100, 110, 120}, 0, 0, 0},
        {"measured from the peak, not the start", {100, 150, 120, 160}, 0.2, 1, 2},
        {"two falls, the second deeper", {100, 110, 99, 120, 84, 100}, 0.3, 3, 4},
        {"two falls, the first deeper", {200, 150, 180, 210, 190}, 0.25, 0, 1},
        {"a fall that continues after a bounce", {100, 80, 90, 60}, 0.4, 0, 3},
        {"down to nothing", {100, 0, 50}, 1, 0, 1},
        {"no positive peak", {0, -10}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Drawdown d = maxDrawdown(curve(c.equity));
        EXPECT_NEAR(d.fraction, c.fraction, 1e-12) << c.name;
        EXPECT_EQ(d.peak, c.peak) << c.name;
        EXPECT_EQ(d.trough, c.trough) << c.name;
    }
}

TEST(Figures, RoundTripsMatchSellsAgainstEarlierBuysOldestFirstWithCommission) {
    struct Case {
        const char* name;
        std::vector<Fill> fills;
        int64_t count, winners;
    };
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

TEST(Figures, ReturnIsNotGivenWithoutStartingCash) {
    EXPECT_NEAR(*totalReturn(1000, 1100), 0.1, 1e-12);
    EXPECT_NEAR(*totalReturn(1000, 950), -0.05, 1e-12);
    EXPECT_FALSE(totalReturn(0, 100));
    EXPECT_FALSE(totalReturn(-5, 100));
}

TEST(Figures, WinRateIsAbsentRatherThanZeroWithoutRoundTrips) {
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
