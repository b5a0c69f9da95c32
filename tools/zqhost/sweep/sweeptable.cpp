#include "sweeptable.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace zqhost {

namespace {

constexpr int kLogTailLines = 12;

QJsonObject readJson(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// Better first; a figure without a value after every value.
bool better(const std::optional<double>& a, const std::optional<double>& b, bool lowerIsBetter) {
    if (!a || !b) return a.has_value() && !b.has_value();
    return lowerIsBetter ? *a < *b : *a > *b;
}

// Ties in parameter order, numbers as numbers, so a sweep ranks the same
// whichever way its sets were found.
bool inParameterOrder(const ParamSet& a, const ParamSet& b) {
    for (auto i = a.begin(), j = b.begin(); i != a.end() && j != b.end(); ++i, ++j) {
        if (i->first != j->first) return i->first < j->first;
        if (i->second == j->second) continue;
        char *endA = nullptr, *endB = nullptr;
        double x = std::strtod(i->second.c_str(), &endA), y = std::strtod(j->second.c_str(), &endB);
        if (!*endA && !*endB && !i->second.empty() && !j->second.empty() && x != y) return x < y;
        return i->second < j->second;
    }
    return a.size() < b.size();
}

int standing(const SweepRun& run) {
    return run.done() ? 0 : run.failed() ? 1 : 2;
}

std::string numberText(const std::optional<double>& value) {
    if (!value) return "";
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", *value);
    return text;
}

std::string secondsText(const std::optional<double>& seconds) {
    if (!seconds) return "";
    char text[40];
    std::snprintf(text, sizeof text, "%.3f", *seconds);
    return text;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

QJsonValue optionalNumber(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject runObject(const SweepRun& run) {
    QJsonObject figures;
    for (const FigureColumn& c : figureColumns()) {
        auto it = run.figures.find(c.key);
        figures.insert(c.key, it == run.figures.end() ? QJsonValue(QJsonValue::Null) : optionalNumber(it->second));
    }
    QJsonArray tail;
    for (const std::string& line : run.logTail) tail.append(QString::fromStdString(line));
    const std::string folder = "sets/" + run.id;
    return {{"set", QString::fromStdString(run.id)},
            {"status", run.done() ? "done" : run.failed() ? "failed" : "not run"},
            {"exitStatus", run.outcome.finished ? QJsonValue(run.outcome.exitStatus) : QJsonValue(QJsonValue::Null)},
            {"runSeconds", optionalNumber(run.outcome.runSeconds)},
            {"figures", figures},
            {"summary", run.hasSummary ? QJsonValue(QString::fromStdString(folder + "/summary.json")) : QJsonValue()},
            {"report", run.hasReport ? QJsonValue(QString::fromStdString(folder + "/report.html")) : QJsonValue()},
            {"logTail", tail}};
}

std::vector<std::string> runFields(const SweepRun& run) {
    std::vector<std::string> fields{run.id, run.done() ? "done" : run.failed() ? "failed" : "not run",
                                    run.outcome.finished ? std::to_string(run.outcome.exitStatus) : "",
                                    secondsText(run.outcome.runSeconds)};
    for (const FigureColumn& c : figureColumns()) {
        auto it = run.figures.find(c.key);
        fields.push_back(it == run.figures.end() ? "" : numberText(it->second));
    }
    return fields;
}

void rank(SweepTable& table) {
    const FigureColumn* metric = figureColumn(table.metric);
    const bool lower = metric && metric->lowerIsBetter;
    auto value = [&](const SweepRow& row) {
        auto it = row.run.figures.find(table.metric);
        return it == row.run.figures.end() ? std::nullopt : it->second;
    };
    std::sort(table.rows.begin(), table.rows.end(), [&](const SweepRow& a, const SweepRow& b) {
        if (standing(a.run) != standing(b.run)) return standing(a.run) < standing(b.run);
        if (better(value(a), value(b), lower)) return true;
        if (better(value(b), value(a), lower)) return false;
        return inParameterOrder(a.params, b.params);
    });
    int next = 1;
    for (SweepRow& row : table.rows) {
        row.rank = row.run.done() ? next++ : 0;
        table.done += row.run.done();
        table.failed += row.run.failed();
        table.missing += !row.run.outcome.finished;
    }
}

}  // namespace

const std::vector<FigureColumn>& figureColumns() {
    static const std::vector<FigureColumn> columns = {
        {"pnl", "P&L", FigureKind::Money, false},
        {"totalReturn", "Return", FigureKind::Fraction, false},
        {"annualReturn", "Annual return", FigureKind::Fraction, false},
        {"volatility", "Volatility", FigureKind::Fraction, true},
        {"sharpe", "Sharpe", FigureKind::Ratio, false},
        {"sortino", "Sortino", FigureKind::Ratio, false},
        {"calmar", "Calmar", FigureKind::Ratio, false},
        {"maxDrawdown", "Max drawdown", FigureKind::Fraction, true},
        {"longestDrawdownBars", "Longest drawdown (bars)", FigureKind::Count, true},
        {"exposure", "Exposure", FigureKind::Fraction, false},
        {"trades", "Fills", FigureKind::Count, false},
        {"roundTrips", "Round trips", FigureKind::Count, false},
        {"winRate", "Win rate", FigureKind::Fraction, false},
        {"averageWin", "Average win", FigureKind::Money, false},
        {"averageLoss", "Average loss", FigureKind::Money, false},
        {"profitFactor", "Profit factor", FigureKind::Ratio, false},
        {"expectancy", "Expectancy", FigureKind::Money, false},
        {"bestTrade", "Best trade", FigureKind::Money, false},
        {"worstTrade", "Worst trade", FigureKind::Money, false},
        {"averageHoldingSeconds", "Average holding", FigureKind::Seconds, false},
        {"commission", "Commission", FigureKind::Money, true},
    };
    return columns;
}

const FigureColumn* figureColumn(const std::string& key) {
    for (const FigureColumn& c : figureColumns()) {
        if (key == c.key) return &c;
    }
    return nullptr;
}

SweepRun readRun(const std::string& sweepDir, const std::string& id) {
    SweepRun run;
    run.id = id;
    run.outcome = readOutcome(sweepDir, id);
    const std::string folder = setFolder(sweepDir, id);
    QJsonObject summary = readJson(folder + "/summary.json");
    run.hasSummary = summary.contains("figures");
    run.hasReport = QFileInfo::exists(QString::fromStdString(folder + "/report.html"));
    QJsonObject figures = summary.value("figures").toObject();
    figures.insert("pnl", summary.value("pnl"));
    for (const FigureColumn& c : figureColumns()) {
        QJsonValue value = figures.value(c.key);
        run.figures[c.key] = value.isDouble() ? std::optional<double>(value.toDouble()) : std::nullopt;
    }
    if (run.failed()) run.logTail = logTail(sweepDir, id, kLogTailLines);
    return run;
}

SweepTable buildTable(const std::string& sweepDir, const std::vector<SweepSet>& sets, const std::string& metric) {
    SweepTable table;
    table.metric = metric;
    std::map<std::string, std::set<std::string>> values;
    std::map<std::string, std::size_t> rowOf;
    for (const SweepSet& set : sets) {
        if (set.sample == Sample::Out) continue;
        for (const auto& [name, value] : set.params) values[name].insert(value);
        rowOf[set.id] = table.rows.size();
        table.rows.push_back(SweepRow{0, set.params, readRun(sweepDir, set.id), std::nullopt});
    }
    for (const SweepSet& set : sets) {
        auto paired = rowOf.find(set.pairedWith);
        if (set.sample == Sample::Out && paired != rowOf.end())
            table.rows[paired->second].outOfSample = readRun(sweepDir, set.id);
    }
    for (const auto& [name, seen] : values) {
        table.paramNames.push_back(name);
        if (seen.size() > 1) table.varied.push_back(name);
    }
    rank(table);
    return table;
}

std::string resultsCsv(const SweepTable& table) {
    std::vector<std::string> header{"rank"};
    for (const std::string& name : table.paramNames) header.push_back(name);
    std::vector<std::string> runHeader{"set", "status", "exit_status", "run_seconds"};
    for (const FigureColumn& c : figureColumns()) runHeader.push_back(c.key);
    header.insert(header.end(), runHeader.begin(), runHeader.end());
    const bool split = std::any_of(table.rows.begin(), table.rows.end(), [](const SweepRow& r) { return r.outOfSample; });
    if (split) {
        for (const std::string& field : runHeader) header.push_back("out_of_sample_" + field);
    }
    auto line = [](const std::vector<std::string>& fields) {
        std::string text;
        for (std::size_t i = 0; i < fields.size(); ++i) text += (i ? "," : "") + csvField(fields[i]);
        return text + "\n";
    };
    std::string csv = line(header);
    for (const SweepRow& row : table.rows) {
        std::vector<std::string> fields{row.rank ? std::to_string(row.rank) : ""};
        for (const std::string& name : table.paramNames) {
            auto it = row.params.find(name);
            fields.push_back(it == row.params.end() ? "" : it->second);
        }
        std::vector<std::string> own = runFields(row.run);
        fields.insert(fields.end(), own.begin(), own.end());
        if (split) {
            std::vector<std::string> out = row.outOfSample ? runFields(*row.outOfSample)
                                                           : std::vector<std::string>(runHeader.size());
            fields.insert(fields.end(), out.begin(), out.end());
        }
        csv += line(fields);
    }
    return csv;
}

std::string resultsJson(const SweepTable& table) {
    QJsonArray rows, names, varied;
    for (const std::string& name : table.paramNames) names.append(QString::fromStdString(name));
    for (const std::string& name : table.varied) varied.append(QString::fromStdString(name));
    for (const SweepRow& row : table.rows) {
        QJsonObject object = runObject(row.run);
        QJsonObject params;
        for (const auto& [name, value] : row.params) params.insert(QString::fromStdString(name), QString::fromStdString(value));
        object.insert("rank", row.rank ? QJsonValue(row.rank) : QJsonValue(QJsonValue::Null));
        object.insert("parameters", params);
        if (row.outOfSample) object.insert("outOfSample", runObject(*row.outOfSample));
        rows.append(object);
    }
    QJsonObject root{{"metric", QString::fromStdString(table.metric)},
                     {"parameters", names},
                     {"varied", varied},
                     {"done", table.done},
                     {"failed", table.failed},
                     {"notRun", table.missing},
                     {"sets", rows}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace zqhost
