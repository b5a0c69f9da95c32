#include "summary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "atomicfile.h"
#include "faultsummary.h"
#include "figures.h"

namespace zqhost {

namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QJsonValue optionalNumber(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject orderObject(const OrderSummary& o) {
    return {{"id", text(o.id)},         {"symbol", text(o.symbol)}, {"side", o.side},
            {"price", o.price},         {"amount", o.amount},       {"filled", o.filled},
            {"status", text(o.status)}, {"time", text(o.time)},     {"reason", text(o.reason)}};
}

QJsonObject fillObject(const Fill& f) {
    return {{"orderId", text(f.orderId)}, {"symbol", text(f.symbol)}, {"time", text(f.time)},      {"side", f.side},
            {"price", f.price},           {"amount", f.amount},       {"commission", f.commission}};
}

QJsonObject positionObject(const PositionSummary& p) {
    return {{"symbol", text(p.symbol)},
            {"amount", static_cast<double>(p.amount)},
            {"averageCost", p.averageCost},
            {"lastPrice", p.lastPrice}};
}

template <typename Item, typename Convert>
QJsonArray arrayOf(const std::vector<Item>& items, Convert convert) {
    QJsonArray array;
    for (const Item& item : items) array.append(convert(item));
    return array;
}

QJsonObject buyAndHoldObject(const BuyAndHold& b) {
    return {{"symbol", text(b.symbol)},
            {"firstClose", b.firstClose},
            {"lastClose", b.lastClose},
            {"return", optionalNumber(b.fraction)}};
}

// The figures traders compare, beside the first four (docs/figures.md).
void addComparedFigures(const Figures& f, QJsonObject& figures) {
    const QJsonObject more{{"annualReturn", optionalNumber(f.annualReturn)},
                           {"volatility", optionalNumber(f.volatility)},
                           {"sharpe", optionalNumber(f.sharpe)},
                           {"sortino", optionalNumber(f.sortino)},
                           {"calmar", optionalNumber(f.calmar)},
                           {"riskFree", f.riskFree},
                           {"barsPerYear", f.barsPerYear},
                           {"maxDrawdownFrom", text(f.maxDrawdown.peakTime)},
                           {"maxDrawdownTo", text(f.maxDrawdown.troughTime)},
                           {"longestDrawdownBars", static_cast<double>(f.longestDrawdownBars)},
                           {"longestDrawdownFrom", text(f.longestDrawdownFrom)},
                           {"longestDrawdownTo", text(f.longestDrawdownTo)},
                           {"exposure", optionalNumber(f.exposure)},
                           {"losingRoundTrips", static_cast<double>(f.losers)},
                           {"averageWin", optionalNumber(f.averageWin)},
                           {"averageLoss", optionalNumber(f.averageLoss)},
                           {"profitFactor", optionalNumber(f.profitFactor)},
                           {"expectancy", optionalNumber(f.expectancy)},
                           {"bestTrade", optionalNumber(f.bestTrade)},
                           {"worstTrade", optionalNumber(f.worstTrade)},
                           {"averageHoldingSeconds", optionalNumber(f.averageHoldingSeconds)},
                           {"commission", f.commission},
                           {"buyAndHold", arrayOf(f.buyAndHold, buyAndHoldObject)}};
    for (auto it = more.begin(); it != more.end(); ++it) figures.insert(it.key(), it.value());
}

QJsonObject figuresObject(const Figures& f) {
    QJsonObject figures{{"totalReturn", optionalNumber(f.totalReturn)},
                        {"maxDrawdown", f.maxDrawdown.fraction},
                        {"trades", static_cast<double>(f.trades)},
                        {"roundTrips", static_cast<double>(f.roundTrips.count)},
                        {"winningRoundTrips", static_cast<double>(f.roundTrips.winners)},
                        {"winRate", optionalNumber(f.winRate)}};
    addComparedFigures(f, figures);
    return figures;
}

QJsonObject roundTripObject(const RoundTrip& t) {
    return {{"symbol", text(t.symbol)},   {"entryTime", text(t.entryTime)}, {"entryPrice", t.entryPrice},
            {"exitTime", text(t.exitTime)}, {"exitPrice", t.exitPrice},     {"amount", static_cast<double>(t.amount)},
            {"pnl", t.pnl},               {"commission", t.commission}};
}

QJsonObject equityObject(const EquityPoint& p) {
    return {{"time", text(p.time)}, {"equity", p.equity}};
}

// Every round trip, and the equity curve as the report draws it.
void addRoundTripsAndEquity(const RunResult& run, const Figures& f, QJsonObject& root) {
    root.insert("roundTrips", arrayOf(f.trips, roundTripObject));
    root.insert("equity", arrayOf(run.equity, equityObject));
}

}  // namespace

std::string summaryJson(const RunResult& run) {
    Figures figures = computeFigures(run);
    QJsonObject root{{"run", runInfoJson(run.info)},
                     {"strategy", text(run.strategy)},
                     {"firstBar", text(run.firstBar)},
                     {"lastBar", text(run.lastBar)},
                     {"bars", static_cast<double>(run.bars)},
                     {"startingCash", run.startingCash},
                     {"finalCash", run.finalCash},
                     {"finalEquity", run.finalEquity},
                     {"pnl", figures.pnl},
                     {"figures", figuresObject(figures)},
                     {"orders", arrayOf(run.orders, orderObject)},
                     {"fills", arrayOf(run.fills, fillObject)},
                     {"positions", arrayOf(run.positions, positionObject)}};
    addRoundTripsAndEquity(run, figures, root);
    if (!run.faults.plan.empty()) root.insert("faults", faultsJson(run.faults));
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

bool writeSummary(const RunResult& run, const std::string& path, std::string& error) {
    return writeFileAtomically(path, summaryJson(run), error);
}

}  // namespace zqhost
