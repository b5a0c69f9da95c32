// What zqhost makes of a finished run: the figures worked out by hand, the
// summary file, the HTML report and the closing lines on the terminal.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "atomicfile.h"
#include "chart.h"
#include "figures.h"
#include "numbertext.h"
#include "report.h"
#include "summary.h"
#include "terminalsummary.h"

using namespace zqhost;

namespace {

Fill fill(int32_t side, double price, int32_t amount, double commission, const char* symbol, const char* time) {
    return {"", symbol, time, side, price, amount, commission};
}
Fill buy(double price, int32_t amount, double commission = 0, const char* symbol = "A", const char* time = "") {
    return fill(1, price, amount, commission, symbol, time);
}
Fill sell(double price, int32_t amount, double commission = 0, const char* symbol = "A", const char* time = "") {
    return fill(2, price, amount, commission, symbol, time);
}

std::vector<EquityPoint> curve(const std::vector<double>& values) {
    std::vector<EquityPoint> points;
    for (double v : values) points.push_back({"t" + std::to_string(points.size()), v});
    return points;
}

// The deepest fall from a running peak, and the longest stretch of points
// below the peak before it is regained (or the curve ends).
TEST(Figures, DrawdownsAreMeasuredFromTheRunningPeak) {
    // The deepest fall's fraction, peak and trough; the longest's length in bars, start and end.
    struct Case {
        const char* name;
        std::vector<double> equity;
        double fraction;
        std::size_t peak, trough, bars, from, to;
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
        EXPECT_EQ(static_cast<std::size_t>(f.longestDrawdownBars), c.bars) << c.name;
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
        {"empty and unknown fills are ignored", {buy(10, 0), fill(3, 9, 100, 0, "A", ""), sell(9, 0)}, 0, 0},
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
    // `present`: volatility, Sharpe, sOrtino, Calmar, Annual return.
    struct Case { const char* name; std::vector<double> equity; const char* firstTime; const char* present; };
    // Times a minute apart unless the first is not a time at all.
    const Case cases[] = {
        {"one point: no spacing, no spread", {1010}, "2024-03-04 09:31:00", ""},
        {"only rising: no downside, no drawdown", {1010, 1020, 1030}, "2024-03-04 09:31:00", "vsA"},
        {"flat: no spread at all", {1000, 1000, 1000}, "2024-03-04 09:31:00", "vA"},
        {"times unknown: nothing annualised", {1010, 990}, "t0", ""},
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
        const std::string present = std::string(f.volatility ? "v" : "") + (f.sharpe ? "s" : "") +
                                    (f.sortino ? "O" : "") + (f.calmar ? "C" : "") + (f.annualReturn ? "A" : "");
        EXPECT_EQ(present, c.present) << c.name;
        EXPECT_FALSE(f.profitFactor || f.averageWin || f.averageLoss || f.expectancy || f.averageHoldingSeconds) << c.name;
    }
    // One time that is no time leaves the spacing unknown, however many are.
    RunResult mixed;
    mixed.startingCash = 1000;
    mixed.equity = {{"2024-03-04 09:31:00", 1010}, {"2024-03-04 09:32:00", 990}, {"later", 1000}};
    EXPECT_FALSE(computeFigures(mixed).volatility);
}

const char* const kT[] = {"2024-03-04 09:31:00", "2024-03-04 09:32:00", "2024-03-04 09:33:00", "2024-03-04 09:34:00"};

RunResult sampleRun() {
    RunResult run;
    run.strategy = "/opt/s&s/libmacross.so";
    run.firstBar = kT[0];
    run.lastBar = kT[3];
    run.bars = 4;
    run.startingCash = 100000;
    run.finalCash = 99095;
    run.finalEquity = 100105.5;
    run.orders = {{"o-1", "<x&y>", 1, 10.5, 100, 100, "filled", kT[0], ""},
                  {"o-2", "600000.SH", 1, 0, 100, 100, "filled", kT[1], ""},
                  {"o-3", "<x&y>", 2, 11, 200, 100, "partially filled", kT[2], "no \"more\" shares"}};
    run.fills = {{"o-1", "<x&y>", kT[0], 1, 10.5, 100, 5},
                 {"o-2", "600000.SH", kT[1], 1, 9.9, 100, 5},
                 {"o-3", "<x&y>", kT[2], 2, 11, 100, 5}};
    run.positions = {{"600000.SH", 100, 9.95, 10.1}};
    run.equity = {{kT[0], 99995}, {kT[1], 100010}, {kT[2], 99950}, {kT[3], 100105.5}};
    for (const char* symbol : {"<x&y>", "600000.SH"}) {
        SymbolPrices prices{symbol, {}};
        for (const char* t : kT) prices.closes.push_back({t, 10 + prices.closes.size() * 0.1});
        run.prices.push_back(prices);
    }
    return run;
}

std::string readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(unreadable)");
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

std::string between(const std::string& text, const std::string& open, const std::string& close) {
    std::size_t start = text.find(open);
    if (start == std::string::npos) return {};
    return text.substr(start, text.find(close, start) - start);
}

TEST(SummaryFile, ReadsBackWithEveryOrderFillPositionAndFigure) {
    QTemporaryDir dir;
    std::string error;
    ASSERT_TRUE(writeSummary(sampleRun(), dir.filePath("summary.json").toStdString(), error)) << error;
    QJsonObject root =
        QJsonDocument::fromJson(QByteArray::fromStdString(readFile(dir.filePath("summary.json")))).object();

    EXPECT_EQ(root["finalCash"].toDouble(), 99095);
    EXPECT_EQ(root["finalEquity"].toDouble(), 100105.5);
    EXPECT_EQ(root["pnl"].toDouble(), 105.5);
    auto compact = [&root](const char* key) {
        return QJsonDocument(root[key].toArray()).toJson(QJsonDocument::Compact).toStdString();
    };
    EXPECT_EQ(compact("orders"),
              R"([{"amount":100,"filled":100,"id":"o-1","price":10.5,"reason":"","side":1,"status":"filled",)"
              R"("symbol":"<x&y>","time":"2024-03-04 09:31:00"},{"amount":100,"filled":100,"id":"o-2","price":0,)"
              R"("reason":"","side":1,"status":"filled","symbol":"600000.SH","time":"2024-03-04 09:32:00"},)"
              R"({"amount":200,"filled":100,"id":"o-3","price":11,"reason":"no \"more\" shares","side":2,)"
              R"("status":"partially filled","symbol":"<x&y>","time":"2024-03-04 09:33:00"}])");
    EXPECT_EQ(compact("fills"),
              R"([{"amount":100,"commission":5,"orderId":"o-1","price":10.5,"side":1,"symbol":"<x&y>",)"
              R"("time":"2024-03-04 09:31:00"},{"amount":100,"commission":5,"orderId":"o-2","price":9.9,"side":1,)"
              R"("symbol":"600000.SH","time":"2024-03-04 09:32:00"},{"amount":100,"commission":5,"orderId":"o-3",)"
              R"("price":11,"side":2,"symbol":"<x&y>","time":"2024-03-04 09:33:00"}])");
    EXPECT_EQ(compact("positions"), R"([{"amount":100,"averageCost":9.95,"lastPrice":10.1,"symbol":"600000.SH"}])");
    QJsonObject figures = root["figures"].toObject();
    EXPECT_NEAR(figures["totalReturn"].toDouble(), 0.001055, 1e-12);
    EXPECT_NEAR(figures["maxDrawdown"].toDouble(), 60.0 / 100010, 1e-12);
    EXPECT_EQ(figures["trades"].toInt(), 3);
    EXPECT_EQ(figures["roundTrips"].toInt(), 1);
    EXPECT_EQ(figures["winRate"].toDouble(), 1.0);  // 1100 - 5 - 1050 - 5 > 0
}

// A new file replaces the old one whole; a file that cannot be written
// leaves nothing behind and names its path.
TEST(AtomicFile, ReplacesWholeFilesAndFailsLeavingNoFile) {
    QTemporaryDir dir;
    std::string path = dir.filePath("out.json").toStdString(), error;
    ASSERT_TRUE(writeFileAtomically(path, "old", error)) << error;
    ASSERT_TRUE(writeFileAtomically(path, "new content", error)) << error;
    EXPECT_EQ(readFile(dir.filePath("out.json")), "new content");
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken"));
    for (const QString& target : {dir.filePath("missing/out.html"), dir.filePath("taken")}) {
        EXPECT_FALSE(writeReport(sampleRun(), target.toStdString(), error)) << target.toStdString();
        EXPECT_EQ(error.rfind("cannot write " + target.toStdString() + ": ", 0), 0u) << error;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), (QStringList{"out.json", "taken"}));
    }
}

TEST(Report, HasAChartPerSymbolMarkersAndARowPerRecord) {
    QTemporaryDir dir;
    std::string error;
    ASSERT_TRUE(writeReport(sampleRun(), dir.filePath("r.html").toStdString(), error)) << error;
    std::string html = readFile(dir.filePath("r.html"));
    EXPECT_EQ(html, reportHtml(sampleRun()));
    EXPECT_EQ(count(html, "<svg"), 4u);  // equity, drawdown and two symbols
    EXPECT_EQ(count(html, "<polyline"), 4u);
    EXPECT_EQ(count(html, "class=\"buy\""), 2u);
    EXPECT_EQ(count(html, "class=\"sell\""), 1u);
    const std::string orders = between(html, "<table id=\"orders\"", "</table>");
    EXPECT_EQ(count(orders, "<tr>"), 1u + 3);
    EXPECT_EQ(count(orders, "<td>buy</td>"), 2u);
    EXPECT_EQ(count(orders, "<td>sell</td>"), 1u);
    EXPECT_EQ(count(between(html, "<table id=\"fills\"", "</table>"), "<tr>"), 1u + 3);
    EXPECT_EQ(count(between(html, "<table id=\"positions\"", "</table>"), "<tr>"), 1u + 1);
    EXPECT_EQ(count(between(html, "<table id=\"roundtrips\"", "</table>"), "<tr>"), 1u + 1);
    EXPECT_NE(html.find(">0.06%<"), std::string::npos) << "max drawdown";
}

TEST(Report, EscapesEveryTextFromTheRun) {
    std::string html = reportHtml(sampleRun());
    EXPECT_EQ(html.find("<x&y>"), std::string::npos);
    EXPECT_EQ(html.find("s&s"), std::string::npos);
    // chart label and title, orders, fills, the round trip, its buy-and-hold figure
    EXPECT_EQ(count(html, "&lt;x&amp;y&gt;"), 2u + 2 + 2 + 1 + 1);
    EXPECT_NE(html.find("no &quot;more&quot; shares"), std::string::npos);
    for (const char* outside : {"<script", "src=", "href=", "@import"})
        EXPECT_EQ(html.find(outside), std::string::npos);
}

TEST(Report, ThousandsOfBarsDrawABoundedLineThatKeepsTheExtremes) {
    std::vector<double> values;
    for (int i = 0; i < 20000; ++i) values.push_back(std::sin(i / 50.0));
    values[4321] = 9;
    values[777] = -9;
    std::vector<std::size_t> kept = thinnedPositions(values, kMaxChartPoints);
    EXPECT_LE(kept.size(), kMaxChartPoints);
    EXPECT_GE(kept.size(), kMaxChartPoints - 2);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    EXPECT_EQ(std::adjacent_find(kept.begin(), kept.end()), kept.end());
    for (std::size_t wanted : {std::size_t{0}, std::size_t{777}, std::size_t{4321}, values.size() - 1})
        EXPECT_TRUE(std::binary_search(kept.begin(), kept.end(), wanted)) << wanted;
    EXPECT_EQ(thinnedPositions({3, 1, 2}, kMaxChartPoints), (std::vector<std::size_t>{0, 1, 2}));

    LineChart chart;
    chart.values = values;
    chart.times.assign(values.size(), "2024-03-04 09:31:00");
    std::string points = between(lineChartSvg(chart), "points=\"", "\"/>");
    EXPECT_EQ(count(points, ","), kept.size());
    // A single point is a dot in the middle of the plot.
    chart.values.resize(1);
    chart.times.resize(1);
    EXPECT_NE(lineChartSvg(chart).find("<circle cx=\"537.0\""), std::string::npos) << lineChartSvg(chart);
    // The dashed reference level crosses the whole plot, from axis to margin.
    chart.reference = chart.values[0];
    EXPECT_NE(lineChartSvg(chart).find("x1=\"90.0\" y1=\"138.0\" x2=\"984.0\" y2=\"138.0\" stroke=\"#888\""),
              std::string::npos) << lineChartSvg(chart);
}

TEST(TerminalSummary, AlignsItsValuesInOneColumn) {
    EXPECT_EQ(terminalSummary(sampleRun()),
              "period        2024-03-04 09:31:00 to 2024-03-04 09:34:00\n"
              "bars          4\n"
              "orders        3\n"
              "fills         3\n"
              "final cash    99,095.00\n"
              "equity        100,105.50\n"
              "P&L           +105.50\n"
              "return        +0.11%\n"
              "max drawdown  0.06%\n"
              "win rate      100.00% (1 of 1 round trips)\n"
              "Sharpe ratio  70.45\n"
              "commission    15.00\n");
}

}  // namespace
