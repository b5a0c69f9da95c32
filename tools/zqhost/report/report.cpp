#include "report.h"

#include <algorithm>
#include <vector>

#include "atomicfile.h"
#include "chart.h"
#include "figures.h"
#include "htmltext.h"
#include "numbertext.h"

namespace zqhost {

namespace {

const char* const kStyle = R"(
body { font: 14px/1.45 system-ui, sans-serif; color: #222; max-width: 1100px; margin: 24px auto; padding: 0 16px; }
h1 { font-size: 22px; margin: 0 0 4px; } h2 { font-size: 17px; margin: 28px 0 8px; border-bottom: 1px solid #ddd; }
.sub { color: #666; margin: 0; word-break: break-all; }
.figures { display: grid; grid-template-columns: repeat(auto-fill, minmax(190px, 1fr)); gap: 8px; }
.figure { border: 1px solid #e1e4e8; border-radius: 6px; padding: 8px 12px; }
.figure .label { color: #666; font-size: 12px; } .figure .value { font-size: 18px; font-weight: 600; }
.figure .note { color: #888; font-size: 11px; }
.gain { color: #1a9641; } .loss { color: #d7191c; }
table { border-collapse: collapse; width: 100%; font-size: 13px; }
th, td { padding: 3px 8px; border-bottom: 1px solid #eee; text-align: left; white-space: nowrap; }
th { background: #f4f6f8; position: sticky; top: 0; }
td.n, th.n { text-align: right; font-variant-numeric: tabular-nums; }
tbody tr:nth-child(even) { background: #fafbfc; } .empty { color: #888; }
.status { font-weight: 600; padding: 6px 10px; border-radius: 6px; margin: 12px 0; }
.status.clean { background: #eaf6ec; } .status.unclean { background: #fdecea; color: #a31515; }
#run th { background: none; position: static; width: 1%; } #run td { white-space: normal; word-break: break-all; }
)";

std::string element(const std::string& tag, const std::string& content, const std::string& attributes = "") {
    return "<" + tag + (attributes.empty() ? "" : " " + attributes) + ">" + content + "</" + tag + ">";
}

std::string cell(const std::string& text) {
    return element("td", escapeHtml(text));
}
std::string numberCell(const std::string& text) {
    return element("td", escapeHtml(text), "class=\"n\"");
}

std::string sideText(int32_t side) {
    return side == 1 ? "buy" : side == 2 ? "sell" : std::to_string(side);
}

std::string fileName(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string toneClass(double value) {
    return value > 0 ? "value gain" : value < 0 ? "value loss" : "value";
}

std::string figure(const std::string& label, const std::string& value, const std::string& note = "",
                   const std::string& valueClass = "value") {
    return element("div",
                   element("div", escapeHtml(label), "class=\"label\"") +
                       element("div", escapeHtml(value), "class=\"" + valueClass + "\"") +
                       (note.empty() ? "" : element("div", escapeHtml(note), "class=\"note\"")),
                   "class=\"figure\"");
}

std::string drawdownNote(const Drawdown& drawdown) {
    if (drawdown.fraction <= 0) return "";
    return drawdown.peakTime + " to " + drawdown.troughTime;
}

std::string annualisingNote(const Figures& f) {
    std::string note = "Figures are defined in docs/figures.md. ";
    if (f.barsPerYear <= 0) return note + "The bar spacing is unknown, so nothing is annualised.";
    return note + "Annualised with " + groupedNumber(f.barsPerYear, 0) +
           " bars a year (250 days of 240 trading minutes at the bar spacing); risk-free rate " +
           percentText(f.riskFree) + ".";
}

// The figures traders compare, after the first ones.
std::string comparedFigureCards(const Figures& f) {
    std::string longest = f.longestDrawdownBars > 0 ? f.longestDrawdownFrom + " to " + f.longestDrawdownTo : "";
    std::string cards =
        figure("Annualised return", percentText(f.annualReturn, true), "", toneClass(f.annualReturn.value_or(0))) +
        figure("Annualised volatility", percentText(f.volatility)) + figure("Sharpe ratio", ratioText(f.sharpe)) +
        figure("Sortino ratio", ratioText(f.sortino)) + figure("Calmar ratio", ratioText(f.calmar)) +
        figure("Longest drawdown", groupedNumber(static_cast<double>(f.longestDrawdownBars), 0) + " bars", longest) +
        figure("Exposure", percentText(f.exposure), "share of bars with a position") +
        figure("Average win", f.averageWin ? signedMoneyText(*f.averageWin) : "n/a") +
        figure("Average loss", f.averageLoss ? signedMoneyText(*f.averageLoss) : "n/a") +
        figure("Profit factor", ratioText(f.profitFactor)) +
        figure("Expectancy", f.expectancy ? signedMoneyText(*f.expectancy) : "n/a", "per round trip") +
        figure("Best trade", f.bestTrade ? signedMoneyText(*f.bestTrade) : "n/a") +
        figure("Worst trade", f.worstTrade ? signedMoneyText(*f.worstTrade) : "n/a") +
        figure("Average holding time", durationText(f.averageHoldingSeconds)) +
        figure("Commission paid", moneyText(f.commission));
    for (const BuyAndHold& hold : f.buyAndHold)
        cards += figure("Buy and hold " + hold.symbol, percentText(hold.fraction, true),
                        priceText(hold.firstClose) + " to " + priceText(hold.lastClose));
    return cards;
}

std::string figuresSection(const RunResult& run) {
    Figures f = computeFigures(run);
    std::string cards =
        figure("Starting cash", moneyText(run.startingCash)) + figure("Final cash", moneyText(run.finalCash)) +
        figure("Final equity", moneyText(run.finalEquity)) +
        figure("P&L", signedMoneyText(f.pnl), "", toneClass(f.pnl)) +
        figure("Return", percentText(f.totalReturn, true), "", toneClass(f.totalReturn.value_or(0))) +
        figure("Max drawdown", percentText(f.maxDrawdown.fraction), drawdownNote(f.maxDrawdown)) +
        figure("Trades (fills)", std::to_string(f.trades), std::to_string(run.orders.size()) + " orders") +
        figure("Win rate", percentText(f.winRate), roundTripsNote(f.roundTrips)) + comparedFigureCards(f);
    return element("h2", "Figures") + element("div", cards, "class=\"figures\"") +
           element("p", escapeHtml(annualisingNote(f)), "class=\"sub\"");
}

std::string equitySection(const RunResult& run) {
    LineChart chart;
    chart.title = "Cash plus positions at each bar's close";
    for (const EquityPoint& point : run.equity) {
        chart.times.push_back(point.time);
        chart.values.push_back(point.equity);
    }
    chart.reference = run.startingCash;
    return element("h2", "Equity") + lineChartSvg(chart) +
           element("p", "The dashed line is the starting cash.", "class=\"sub\"");
}

// The fall below the running peak at each kept point of the curve; the
// kept points hold every low and high, so the deepest falls are drawn.
std::string drawdownSection(const RunResult& run) {
    LineChart chart;
    chart.title = "Fall below the running peak of equity";
    chart.color = "#d7191c";
    double peak = 0;
    for (const EquityPoint& point : run.equity) {
        peak = std::max(peak, point.equity);
        chart.times.push_back(point.time);
        chart.values.push_back(peak > 0 ? (point.equity - peak) / peak * 100 : 0);
    }
    chart.reference = 0;
    return element("h2", "Drawdown") + lineChartSvg(chart) +
           element("p", "Percent below the highest equity so far.", "class=\"sub\"");
}

// The bar a fill belongs to: the first bar at or after its time.
std::size_t barOf(const std::vector<std::string>& times, const std::string& time) {
    std::size_t at = std::lower_bound(times.begin(), times.end(), time) - times.begin();
    return std::min(at, times.empty() ? 0 : times.size() - 1);
}

std::string priceChart(const SymbolPrices& prices, const std::vector<Fill>& fills) {
    LineChart chart;
    chart.title = prices.symbol;
    for (const PricePoint& point : prices.closes) {
        chart.times.push_back(point.time);
        chart.values.push_back(point.close);
    }
    for (const Fill& fill : fills) {
        if (fill.symbol != prices.symbol || chart.values.empty()) continue;
        std::string label = sideText(fill.side) + " " + std::to_string(fill.amount) + " @ " + priceText(fill.price) +
                            ", " + fill.time + ", order " + fill.orderId;
        chart.markers.push_back({barOf(chart.times, fill.time), fill.price, fill.side == 1, label});
    }
    return lineChartSvg(chart);
}

std::string pricesSection(const RunResult& run) {
    std::string charts;
    for (const SymbolPrices& prices : run.prices) charts += priceChart(prices, run.fills);
    if (charts.empty()) charts = element("p", "No prices.", "class=\"empty\"");
    return element("h2", "Prices") + charts;
}

// Column titles; those starting with '#' are numeric and right-aligned.
std::string table(const std::string& id, const std::vector<std::string>& columns, const std::string& rows,
                  const std::string& emptyText) {
    if (rows.empty()) return element("p", emptyText, "class=\"empty\"");
    std::string head;
    for (const std::string& c : columns)
        head += c[0] == '#' ? element("th", escapeHtml(c.substr(1)), "class=\"n\"") : element("th", escapeHtml(c));
    return element("table", element("thead", element("tr", head)) + element("tbody", rows), "id=\"" + id + "\"");
}

std::string ordersSection(const RunResult& run) {
    std::string rows;
    for (const OrderSummary& o : run.orders)
        rows += element("tr", cell(o.time) + cell(o.id) + cell(o.symbol) + cell(sideText(o.side)) +
                                  numberCell(o.price == 0 ? "market" : priceText(o.price)) +
                                  numberCell(groupedNumber(o.amount, 0)) + numberCell(groupedNumber(o.filled, 0)) +
                                  cell(o.status) + cell(o.reason));
    return element("h2", "Orders") +
           table("orders", {"Time", "Id", "Symbol", "Side", "#Price", "#Amount", "#Filled", "Status", "Reason"}, rows,
                 "No orders.");
}

std::string fillsSection(const RunResult& run) {
    std::string rows;
    for (const Fill& f : run.fills)
        rows += element("tr", cell(f.time) + cell(f.orderId) + cell(f.symbol) + cell(sideText(f.side)) +
                                  numberCell(priceText(f.price)) + numberCell(groupedNumber(f.amount, 0)) +
                                  numberCell(moneyText(f.commission)));
    return element("h2", "Fills") + table("fills",
                                          {"Time", "Order id", "Symbol", "Side", "#Price", "#Amount", "#Commission"},
                                          rows, "No fills.");
}

std::string roundTripsSection(const Figures& f) {
    std::string rows;
    for (const RoundTrip& t : f.trips)
        rows += element("tr", cell(t.symbol) + cell(t.entryTime) + numberCell(priceText(t.entryPrice)) +
                                  cell(t.exitTime) + numberCell(priceText(t.exitPrice)) +
                                  numberCell(groupedNumber(static_cast<double>(t.amount), 0)) +
                                  numberCell(signedMoneyText(t.pnl)) + numberCell(moneyText(t.commission)) +
                                  numberCell(durationText(t.holdingSeconds >= 0
                                                              ? std::optional<double>(t.holdingSeconds)
                                                              : std::nullopt)));
    return element("h2", "Round trips") +
           table("roundtrips",
                 {"Symbol", "Entry", "#Entry price", "Exit", "#Exit price", "#Amount", "#P&L", "#Commission", "#Held"},
                 rows, "No round trips.");
}

std::string positionsSection(const RunResult& run) {
    std::string rows;
    for (const PositionSummary& p : run.positions)
        rows += element("tr", cell(p.symbol) + numberCell(groupedNumber(static_cast<double>(p.amount), 0)) +
                                  numberCell(priceText(p.averageCost)) + numberCell(priceText(p.lastPrice)) +
                                  numberCell(moneyText(p.amount * p.lastPrice)) +
                                  numberCell(signedMoneyText(p.amount * (p.lastPrice - p.averageCost))));
    return element("h2", "Final positions") +
           table("positions", {"Symbol", "#Amount", "#Average cost", "#Last price", "#Market value", "#Unrealised P&L"},
                 rows, "No positions.");
}

std::string header(const RunResult& run) {
    return element("h1", "Replay of " + escapeHtml(fileName(run.strategy))) +
           element("p", escapeHtml(run.strategy), "class=\"sub\"") +
           element("p", escapeHtml(run.firstBar + " to " + run.lastBar + ", " + std::to_string(run.bars) + " bars"),
                   "class=\"sub\"");
}

}  // namespace

std::string reportHtml(const RunResult& run) {
    std::string head = "<meta charset=\"utf-8\">" +
                       element("title", "zqhost replay: " + escapeHtml(fileName(run.strategy))) +
                       element("style", kStyle);
    std::string body = header(run) + runInfoHtml(run.info) + figuresSection(run) + equitySection(run) + drawdownSection(run) +
                       pricesSection(run) + roundTripsSection(computeFigures(run)) + ordersSection(run) +
                       fillsSection(run) + positionsSection(run);
    return "<!DOCTYPE html>\n" + element("html", element("head", head) + element("body", body), "lang=\"en\"") + "\n";
}

bool writeReport(const RunResult& run, const std::string& path, std::string& error) {
    return writeFileAtomically(path, reportHtml(run), error);
}

}  // namespace zqhost
