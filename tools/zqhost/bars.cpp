#include "bars.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace zqhost {

namespace {

const char* const kRequired[] = {"symbol", "time", "open", "high", "low", "close", "volume"};

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

bool validTime(int y, int mo, int d, int h, int mi, int s) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || y > 9999 || mo < 1 || mo > 12 || d < 1) return false;
    if (d > days[mo - 1] + (mo == 2 && isLeap(y) ? 1 : 0)) return false;
    return h >= 0 && h < 24 && mi >= 0 && mi < 60 && s >= 0 && s < 60;
}

std::vector<std::string> splitCsv(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, ',')) cells.push_back(cell);
    if (!line.empty() && line.back() == ',') cells.emplace_back();
    for (std::string& c : cells) {
        c.erase(0, c.find_first_not_of(" \t\r"));
        c.erase(c.find_last_not_of(" \t\r") + 1);
    }
    return cells;
}

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && value == value;
}

struct Columns {
    std::map<std::string, size_t> index;
    bool hasAmount = false;
};

bool readHeader(const std::string& line, Columns& columns, std::string& what) {
    std::vector<std::string> names = splitCsv(line);
    for (size_t i = 0; i < names.size(); ++i) columns.index[names[i]] = i;
    for (const char* name : kRequired) {
        if (!columns.index.count(name)) {
            what = std::string("no column named ") + name;
            return false;
        }
    }
    columns.hasAmount = columns.index.count("amount") > 0;
    return true;
}

bool readRow(const std::string& line, const Columns& columns, Bar& bar, std::string& what) {
    std::vector<std::string> cells = splitCsv(line);
    auto cell = [&](const char* name) -> const std::string& {
        static const std::string none;
        size_t i = columns.index.at(name);
        return i < cells.size() ? cells[i] : none;
    };
    bar.symbol = cell("symbol");
    if (bar.symbol.empty()) return what = "empty symbol", false;
    if (!parseStamp(cell("time"), bar.stamp, bar.seconds)) return what = "bad time '" + cell("time") + "'", false;
    const std::pair<const char*, double*> numbers[] = {{"open", &bar.open},   {"high", &bar.high},
                                                       {"low", &bar.low},     {"close", &bar.close},
                                                       {"volume", &bar.volume}};
    for (const auto& [name, field] : numbers) {
        if (!parseNumber(cell(name), *field)) return what = std::string("bad ") + name + " '" + cell(name) + "'", false;
    }
    if (columns.hasAmount && !cell("amount").empty() && !parseNumber(cell("amount"), bar.amount)) {
        return what = "bad amount '" + cell("amount") + "'", false;
    }
    if (bar.high < bar.low) return what = "high below low", false;
    return true;
}

bool readFile(const std::string& path, std::vector<Bar>& bars, std::string& error) {
    std::ifstream in(path);
    if (!in) return error = path + ": cannot be read", false;
    std::string line, what;
    Columns columns;
    std::map<std::string, int64_t> lastStamp;
    int lineNo = 0;
    bool header = true;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        Bar bar;
        bool ok = header ? readHeader(line, columns, what) : readRow(line, columns, bar, what);
        if (ok && !header && lastStamp.count(bar.symbol) && bar.stamp <= lastStamp[bar.symbol]) {
            ok = false;
            what = "bar of " + bar.symbol + " at " + displayTime(bar.stamp) + " is not after the one before";
        }
        if (!ok) return error = path + ":" + std::to_string(lineNo) + ": " + what, false;
        if (!header) {
            lastStamp[bar.symbol] = bar.stamp;
            bars.push_back(std::move(bar));
        }
        header = false;
    }
    if (header) return error = path + ": empty file", false;
    return true;
}

}  // namespace

std::string displayTime(int64_t stamp) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", static_cast<int>(stamp / 10000000000),
                  static_cast<int>(stamp / 100000000 % 100), static_cast<int>(stamp / 1000000 % 100),
                  static_cast<int>(stamp / 10000 % 100), static_cast<int>(stamp / 100 % 100),
                  static_cast<int>(stamp % 100));
    return text;
}

std::string hostTime(int64_t stamp) {
    char text[32];
    std::snprintf(text, sizeof text, "%08d %02d:%02d:%02d 000", static_cast<int>(stamp / 1000000),
                  static_cast<int>(stamp / 10000 % 100), static_cast<int>(stamp / 100 % 100),
                  static_cast<int>(stamp % 100));
    return text;
}

bool parseStamp(const std::string& text, int64_t& stamp, int64_t& seconds) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = 0;
    bool ok = (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) == 6 ||
               (h = mi = s = 0, std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &y, &mo, &d, &used) == 3) ||
               std::sscanf(text.c_str(), "%4d%2d%2d%2d%2d%2d%n", &y, &mo, &d, &h, &mi, &s, &used) == 6) &&
              used == static_cast<int>(text.size()) && std::all_of(text.begin(), text.end(), [](char c) {
                  return (c >= '0' && c <= '9') || c == '-' || c == ' ' || c == ':';
              });
    if (!ok || !validTime(y, mo, d, h, mi, s)) return false;
    stamp = ((((y * 100LL + mo) * 100 + d) * 100 + h) * 100 + mi) * 100 + s;
    seconds = daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
    return true;
}

bool readBarFiles(const std::vector<std::string>& paths, std::vector<Bar>& bars, std::string& error) {
    std::vector<Bar> all;
    for (const std::string& path : paths) {
        if (!readFile(path, all, error)) return false;
    }
    std::stable_sort(all.begin(), all.end(), [](const Bar& a, const Bar& b) { return a.stamp < b.stamp; });
    bars = std::move(all);
    return true;
}

}  // namespace zqhost
