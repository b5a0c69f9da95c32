#include "sweeppage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "htmltext.h"
#include "numbertext.h"

namespace zqhost {

namespace {

const char* const kStyle = R"(
body { font: 14px/1.45 system-ui, sans-serif; color: #222; max-width: 1300px; margin: 24px auto; padding: 0 16px; }
h1 { font-size: 22px; margin: 0 0 4px; } h2 { font-size: 17px; margin: 28px 0 8px; border-bottom: 1px solid #ddd; }
.sub { color: #666; margin: 0; }
table { border-collapse: collapse; font-size: 13px; }
th, td { padding: 3px 8px; border-bottom: 1px solid #eee; text-align: left; white-space: nowrap; }
th { background: #f4f6f8; position: sticky; top: 0; } td.n, th.n { text-align: right; font-variant-numeric: tabular-nums; }
th.out, td.out { background: #f3f0fa; } tr.failed td { color: #d7191c; }
pre { background: #f6f8fa; padding: 8px; font-size: 12px; overflow-x: auto; }
)";

std::string element(const std::string& tag, const std::string& content, const std::string& attributes = "") {
    return "<" + tag + (attributes.empty() ? "" : " " + attributes) + ">" + content + "</" + tag + ">";
}

std::string figureText(const FigureColumn& c, const std::optional<double>& value) {
    if (!value) return "n/a";
    switch (c.kind) {
    case FigureKind::Money: return signedMoneyText(*value);
    case FigureKind::Fraction: return percentText(*value);
    case FigureKind::Ratio: return ratioText(*value);
    case FigureKind::Count: return groupedNumber(*value, 0);
    case FigureKind::Seconds: return durationText(*value);
    }
    return "";
}

std::optional<double> figureOf(const SweepRun& run, const std::string& key) {
    auto it = run.figures.find(key);
    return it == run.figures.end() ? std::nullopt : it->second;
}

// Parameter values in their natural order: numbers as numbers.
std::vector<std::string> ordered(std::set<std::string> values) {
    std::vector<std::string> list(values.begin(), values.end());
    auto numeric = [](const std::string& t) {
        char* end = nullptr;
        std::strtod(t.c_str(), &end);
        return !t.empty() && !*end;
    };
    if (std::all_of(list.begin(), list.end(), numeric))
        std::sort(list.begin(), list.end(),
                  [](const std::string& a, const std::string& b) { return std::stod(a) < std::stod(b); });
    return list;
}

// From red (worst) through yellow to green (best).
std::string shade(double share) {
    share = std::clamp(share, 0.0, 1.0);
    int red = share < 0.5 ? 215 : static_cast<int>(215 - (share - 0.5) * 2 * (215 - 26));
    int green = share < 0.5 ? static_cast<int>(25 + share * 2 * (200 - 25)) : static_cast<int>(200 - (share - 0.5) * 2 * 50);
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", red, green, 60);
    return text;
}

std::string runCells(const SweepRun& run, const FigureColumn& metric, const char* cls) {
    std::string c = std::string("class=\"n ") + cls + "\"";
    std::string status = run.done() ? "" : run.failed() ? "exit " + std::to_string(run.outcome.exitStatus) : "not run";
    return element("td", escapeHtml(figureText(metric, figureOf(run, metric.key))), c) +
           element("td", escapeHtml(figureText(*figureColumn("totalReturn"), figureOf(run, "totalReturn"))), c) +
           element("td", escapeHtml(figureText(*figureColumn("maxDrawdown"), figureOf(run, "maxDrawdown"))), c) +
           element("td", escapeHtml(status), std::string("class=\"") + cls + "\"");
}

std::string rankingTable(const SweepTable& table) {
    const FigureColumn& metric = *figureColumn(table.metric);
    const bool split = std::any_of(table.rows.begin(), table.rows.end(), [](const SweepRow& r) { return r.outOfSample; });
    std::string head = element("th", "#", "class=\"n\"");
    for (const std::string& name : table.paramNames) head += element("th", escapeHtml(name));
    for (const FigureColumn& c : figureColumns()) head += element("th", escapeHtml(c.label), "class=\"n\"");
    head += element("th", "Run time", "class=\"n\"") + element("th", "Set");
    if (split) {
        for (const char* label : {metric.label, "Return", "Max drawdown", "Status"})
            head += element("th", escapeHtml(std::string(label) + " (out of sample)"), "class=\"out\"");
    }
    std::string rows;
    for (const SweepRow& row : table.rows) {
        std::string cells = element("td", row.rank ? std::to_string(row.rank) : "", "class=\"n\"");
        for (const std::string& name : table.paramNames) {
            auto it = row.params.find(name);
            cells += element("td", escapeHtml(it == row.params.end() ? "" : it->second));
        }
        for (const FigureColumn& c : figureColumns())
            cells += element("td", escapeHtml(row.run.done() ? figureText(c, figureOf(row.run, c.key)) : ""), "class=\"n\"");
        std::string time = row.run.outcome.runSeconds ? groupedNumber(*row.run.outcome.runSeconds, 2) + " s" : "";
        std::string link = row.run.hasReport ? "sets/" + row.run.id + "/report.html"
                                             : "sets/" + row.run.id + (row.run.hasSummary ? "/summary.json" : "/log.txt");
        cells += element("td", escapeHtml(time), "class=\"n\"") +
                 element("td", element("a", escapeHtml(row.run.id), "href=\"" + escapeHtml(link) + "\""));
        if (split) cells += row.outOfSample ? runCells(*row.outOfSample, metric, "out") : element("td", "", "colspan=\"4\" class=\"out\"");
        rows += element("tr", cells, row.run.failed() ? "class=\"failed\"" : "");
    }
    return element("table", element("thead", element("tr", head)) + element("tbody", rows), "id=\"ranking\"");
}

std::string failedSection(const SweepTable& table) {
    std::string out;
    for (const SweepRow& row : table.rows) {
        if (!row.run.failed()) continue;
        std::string params;
        for (const auto& [name, value] : row.params) params += (params.empty() ? "" : ", ") + name + "=" + value;
        std::string log;
        for (const std::string& line : row.run.logTail) log += line + "\n";
        out += element("h3", escapeHtml("Set " + row.run.id + " (" + params + "): exit status " +
                                        std::to_string(row.run.outcome.exitStatus))) +
               element("pre", escapeHtml(log));
    }
    return out.empty() ? "" : element("h2", "Failed sets") + out;
}

}  // namespace

std::string heatmapSvg(const SweepTable& table) {
    if (table.varied.size() != 2) return "";
    const FigureColumn& metric = *figureColumn(table.metric);
    const std::string& xName = table.varied[0];
    const std::string& yName = table.varied[1];
    std::set<std::string> xs, ys;
    for (const SweepRow& row : table.rows) xs.insert(row.params.at(xName)), ys.insert(row.params.at(yName));
    std::vector<std::string> xv = ordered(xs), yv = ordered(ys);
    double low = INFINITY, high = -INFINITY;
    for (const SweepRow& row : table.rows) {
        if (auto v = figureOf(row.run, metric.key); v && row.run.done()) low = std::min(low, *v), high = std::max(high, *v);
    }
    const int cell = 76, cellHeight = 30, left = 90, top = 40;
    const int width = left + cell * static_cast<int>(xv.size()) + 10;
    const int height = top + cellHeight * static_cast<int>(yv.size()) + 40;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"heatmap\" width=\"" + std::to_string(width) +
                      "\" height=\"" + std::to_string(height) + "\" font-size=\"11\" font-family=\"sans-serif\">";
    svg += "<text x=\"" + std::to_string(left) + "\" y=\"14\" font-weight=\"bold\">" +
           escapeHtml(std::string(metric.label) + " by " + xName + " (across) and " + yName + " (down)") + "</text>";
    for (std::size_t i = 0; i < xv.size(); ++i)
        svg += "<text x=\"" + std::to_string(left + cell * static_cast<int>(i) + cell / 2) + "\" y=\"" +
               std::to_string(top - 6) + "\" text-anchor=\"middle\">" + escapeHtml(xv[i]) + "</text>";
    for (std::size_t j = 0; j < yv.size(); ++j)
        svg += "<text x=\"" + std::to_string(left - 6) + "\" y=\"" +
               std::to_string(top + cellHeight * static_cast<int>(j) + cellHeight / 2 + 4) +
               "\" text-anchor=\"end\">" + escapeHtml(yv[j]) + "</text>";
    for (const SweepRow& row : table.rows) {
        std::size_t i = std::find(xv.begin(), xv.end(), row.params.at(xName)) - xv.begin();
        std::size_t j = std::find(yv.begin(), yv.end(), row.params.at(yName)) - yv.begin();
        std::optional<double> v = row.run.done() ? figureOf(row.run, metric.key) : std::nullopt;
        double share = v && high > low ? (*v - low) / (high - low) : 0.5;
        if (metric.lowerIsBetter) share = 1 - share;
        std::string fill = v ? shade(share) : "#cccccc";
        std::string label = row.run.failed() ? "failed" : figureText(metric, v);
        int x = left + cell * static_cast<int>(i), y = top + cellHeight * static_cast<int>(j);
        svg += "<g><title>" + escapeHtml(xName + "=" + xv[i] + ", " + yName + "=" + yv[j] + ": " + label) +
               "</title><rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
               std::to_string(cell - 2) + "\" height=\"" + std::to_string(cellHeight - 2) + "\" fill=\"" + fill +
               "\"/><text x=\"" + std::to_string(x + cell / 2 - 1) + "\" y=\"" + std::to_string(y + cellHeight / 2 + 3) +
               "\" text-anchor=\"middle\" font-size=\"10\">" + escapeHtml(row.run.failed() ? "failed" : v ? figureText(metric, v) : "") +
               "</text></g>";
    }
    return svg + "</svg>";
}

std::string sweepPageHtml(const SweepTable& table) {
    const FigureColumn& metric = *figureColumn(table.metric);
    std::string summary = std::to_string(table.done) + " sets done, " + std::to_string(table.failed) + " failed" +
                          (table.missing ? ", " + std::to_string(table.missing) + " not run yet" : "") +
                          "; ranked by " + metric.label + (metric.lowerIsBetter ? " (lower is better)" : "") + ".";
    std::string heatmap = heatmapSvg(table);
    std::string body = element("h1", "Parameter sweep") + element("p", escapeHtml(summary), "class=\"sub\"") +
                       (heatmap.empty() ? "" : element("h2", "Heatmap") + heatmap) + element("h2", "Ranking") +
                       rankingTable(table) + failedSection(table);
    std::string head = "<meta charset=\"utf-8\">" + element("title", "zqhost sweep") + element("style", kStyle);
    return "<!DOCTYPE html>\n" + element("html", element("head", head) + element("body", body), "lang=\"en\"") + "\n";
}

}  // namespace zqhost
