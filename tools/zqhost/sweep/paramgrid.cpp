#include "paramgrid.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zqhost {

namespace {

constexpr std::size_t kMaxValues = 100000;

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        items.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return items;
        start = comma + 1;
    }
}

bool wholeNumber(const std::string& text, long long& out) {
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && !*end && errno == 0 && std::llabs(out) < 2147483648LL;
}

bool number(const std::string& text, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && !*end && std::isfinite(out);
}

// "FROM..TO" or "FROM..TO:STEP" into its three texts; false when not a range.
bool splitRange(const std::string& text, std::string& from, std::string& to, std::string& step) {
    std::size_t dots = text.find("..");
    if (dots == std::string::npos) return false;
    from = text.substr(0, dots);
    std::string rest = text.substr(dots + 2);
    std::size_t colon = rest.find(':');
    to = rest.substr(0, colon);
    step = colon == std::string::npos ? "" : rest.substr(colon + 1);
    return true;
}

std::string numberText(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.12g", value);
    return text;
}

bool intRange(const std::string& text, std::vector<std::string>& values, std::string& error) {
    std::string a, b, s;
    splitRange(text, a, b, s);
    long long from, to, step = 1;
    if (!wholeNumber(a, from) || !wholeNumber(b, to) || (!s.empty() && !wholeNumber(s, step)))
        return error = "a range of whole numbers is FROM..TO or FROM..TO:STEP", false;
    if (step <= 0) return error = "the step must be positive", false;
    if (to < from) return error = "the range is empty (" + a + " is above " + b + ")", false;
    if ((to - from) / step >= static_cast<long long>(kMaxValues)) return error = "the range has too many values", false;
    for (long long v = from; v <= to; v += step) values.push_back(std::to_string(v));
    return true;
}

bool floatRange(const std::string& text, std::vector<std::string>& values, std::string& error) {
    std::string a, b, s;
    splitRange(text, a, b, s);
    double from, to, step;
    if (!number(a, from) || !number(b, to) || !number(s, step))
        return error = "a range of numbers is FROM..TO:STEP", false;
    if (step <= 0) return error = "the step must be positive", false;
    if (to < from) return error = "the range is empty (" + a + " is above " + b + ")", false;
    double count = std::floor((to - from) / step + 1e-9);
    if (count >= kMaxValues) return error = "the range has too many values", false;
    // Each value from the start, so steps do not add up their rounding.
    for (long i = 0; i <= static_cast<long>(count); ++i) values.push_back(numberText(from + i * step));
    return true;
}

// One listed value checked against the type; bools are written true/false.
bool listedValue(const std::string& type, const QJsonObject& entry, std::string& value, std::string& error) {
    long long whole;
    double real;
    if (type == "int" && !wholeNumber(value, whole)) return error = "'" + value + "' is not a whole number", false;
    if (type == "float" && !number(value, real)) return error = "'" + value + "' is not a number", false;
    if (type == "bool") {
        if (value == "1") value = "true";
        if (value == "0") value = "false";
        if (value != "true" && value != "false") return error = "'" + value + "' is not true or false", false;
    }
    if (type == "list" && !entry.value("value").toArray().contains(QJsonValue(QString::fromStdString(value))))
        return error = "'" + value + "' is not one of the list's entries", false;
    return true;
}

}  // namespace

bool parseGrid(const std::string& spec, const std::string& schema, SweptParam& param, std::string& error) {
    std::size_t eq = spec.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == spec.size())
        return error = "--grid takes NAME=VALUES, got '" + spec + "'", false;
    param = SweptParam{spec.substr(0, eq), "", {}};
    const std::string values = spec.substr(eq + 1);
    QJsonObject declared = QJsonDocument::fromJson(QByteArray::fromStdString(schema)).object();
    QJsonObject entry = declared.value(QString::fromStdString(param.name)).toObject();
    if (entry.isEmpty()) return error = "--grid " + spec + ": the strategy has no parameter '" + param.name + "'", false;
    param.type = entry.value("type").toString().toStdString();
    if (param.type == "table") return error = "--grid " + spec + ": table parameters cannot be swept", false;
    std::string problem;
    bool ok = true;
    if (values.find("..") != std::string::npos && (param.type == "int" || param.type == "float")) {
        ok = param.type == "int" ? intRange(values, param.values, problem) : floatRange(values, param.values, problem);
    } else {
        for (std::string value : splitList(values)) {
            if (!(ok = listedValue(param.type, entry, value, problem))) break;
            param.values.push_back(value);
        }
    }
    if (!ok) return error = "--grid " + spec + ": " + problem, false;
    return true;
}

std::vector<ParamSet> fullGrid(const std::vector<SweptParam>& params) {
    std::vector<ParamSet> sets(1);
    for (const SweptParam& p : params) {
        std::vector<ParamSet> grown;
        for (const ParamSet& set : sets) {
            for (const std::string& value : p.values) {
                ParamSet more = set;
                more[p.name] = value;
                grown.push_back(more);
            }
        }
        sets.swap(grown);
    }
    return params.empty() ? std::vector<ParamSet>{} : sets;
}

std::string setKey(const ParamSet& set) {
    std::string key;
    for (const auto& [name, value] : set) key += name + "=" + value + "\n";
    return key;
}

namespace detail {

// splitmix64: the same numbers on every machine and compiler.
uint64_t nextRandom(uint64_t& state) {
    uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace detail

}  // namespace zqhost
