#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "atomicfile.h"
#include "chart.h"
#include "report.h"
#include "summary.h"
#include "terminalsummary.h"

using namespace zqhost;

namespace {

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

}  // namespace

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

TEST(SummaryFile, FiguresWithoutValueAreNull) {
    RunResult run;
    QJsonObject figures = QJsonDocument::fromJson(QByteArray::fromStdString(summaryJson(run)))["figures"].toObject();
    EXPECT_TRUE(figures["winRate"].isNull());
    EXPECT_TRUE(figures["totalReturn"].isNull());
    EXPECT_EQ(figures["trades"].toInt(-1), 0);
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
}

TEST(TerminalSummary, AlignsItsValuesInOneColumn) {
    std::istringstream lines(terminalSummary(sampleRun()));
    std::map<std::string, std::string> values;
    std::size_t column = 0;
    for (std::string line; std::getline(lines, line);) {
        std::size_t gap = line.find("  ");
        std::size_t value = line.find_first_not_of(' ', gap);
        if (column == 0) column = value;
        EXPECT_EQ(value, column) << line;
        values[line.substr(0, gap)] = line.substr(value);
    }
    const std::map<std::string, std::string> expected = {
        {"period", "2024-03-04 09:31:00 to 2024-03-04 09:34:00"},
        {"bars", "4"},
        {"orders", "3"},
        {"fills", "3"},
        {"final cash", "99,095.00"},
        {"equity", "100,105.50"},
        {"P&L", "+105.50"},
        {"return", "+0.11%"},
        {"max drawdown", "0.06%"},
        {"win rate", "100.00% (1 of 1 round trips)"},
        {"Sharpe ratio", "70.45"},
        {"commission", "15.00"},
    };
    EXPECT_EQ(values, expected);
}
