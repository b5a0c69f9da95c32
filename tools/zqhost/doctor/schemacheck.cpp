#include "schemacheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cctype>
#include <cmath>
#include <map>

namespace zqhost {

namespace {

bool followedByColon(const std::string& json, size_t at) {
    while (at < json.size() && std::isspace(static_cast<unsigned char>(json[at]))) ++at;
    return at < json.size() && json[at] == ':';
}

// The member names of the outer object as written, repeats included: a
// parsed document keeps only one of each.
std::vector<std::string> writtenNames(const std::string& json) {
    std::vector<std::string> names;
    int depth = 0;
    bool inText = false;
    size_t start = 0;
    for (size_t i = 0; i < json.size(); ++i) {
        char c = json[i];
        if (inText) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inText = false;
                if (depth == 1 && followedByColon(json, i + 1)) names.push_back(json.substr(start, i - start));
            }
        } else if (c == '"') {
            inText = true;
            start = i + 1;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return names;
}

bool isTextList(const QJsonValue& value) {
    if (!value.isArray() || value.toArray().isEmpty()) return false;
    for (const QJsonValue& item : value.toArray()) {
        if (!item.isString()) return false;
    }
    return true;
}

// What the default of a known type must be; empty when it is that, or the type is unknown.
std::string defaultProblem(const QString& type, const QJsonValue& value) {
    if (type == "int") return value.isDouble() && std::trunc(value.toDouble()) == value.toDouble() ? "" : "a whole number";
    if (type == "float") return value.isDouble() ? "" : "a number";
    if (type == "bool") return value.isBool() ? "" : "true or false";
    if (type == "string" || type == "table") return value.isString() ? "" : "a text";
    if (type == "list") return isTextList(value) ? "" : "a list of texts";
    return "";
}

bool knownType(const QString& type) {
    return type == "int" || type == "float" || type == "bool" || type == "string" || type == "list" || type == "table";
}

// The warnings a started strategy would be given about one entry.
void startWarnings(const std::string& label, const QString& type, const QJsonObject& entry, Findings& findings) {
    if (type == "table") {
        findings.push_back({Finding::Level::Warning,
                            label + " is a table, which a started strategy does not get: the host leaves it out"});
    }
    int size = entry.value("value").toArray().size();
    int index = entry.value("default_index").toInt();
    if (type == "list" && (index < 0 || index >= size)) {
        findings.push_back({Finding::Level::Warning, label + ": its default entry " + std::to_string(index) +
                                                         " is outside its list of " + std::to_string(size) +
                                                         " entries, so it starts empty"});
    }
}

bool checkEntry(const QString& name, const QJsonValue& value, Findings& findings) {
    const std::string label = "parameter '" + name.toStdString() + "'";
    const QJsonObject entry = value.toObject();
    const QString type = entry.value("type").toString();
    if (!value.isObject() || !knownType(type)) {
        findings.push_back({Finding::Level::Failure,
                            label + " has no known type (one of bool, int, float, string, list, table)"});
        return false;
    }
    std::string problem = defaultProblem(type, entry.value("value"));
    if (!problem.empty()) {
        findings.push_back({Finding::Level::Failure,
                            label + " (" + type.toStdString() + "): its default value is not " + problem});
        return false;
    }
    startWarnings(label, type, entry, findings);
    return true;
}

void checkRepeats(const std::string& schema, const QJsonObject& root, Findings& findings) {
    std::map<std::string, int> seen;
    bool repeated = false;
    for (const std::string& name : writtenNames(schema)) {
        if (++seen[name] != 2) continue;
        repeated = true;
        findings.push_back({Finding::Level::Warning,
                            "parameter '" + name + "' is declared more than once; only the last one counts"});
    }
    if (repeated) return;
    // Declarations numbered past the count mean that later ones replaced earlier ones of the same name.
    int highest = -1;
    for (const QJsonValue& entry : root) highest = std::max(highest, entry.toObject().value("index").toInt(-1));
    if (highest >= root.size()) {
        findings.push_back({Finding::Level::Warning,
                            std::to_string(highest + 1 - root.size()) +
                                " parameter declaration(s) were replaced by a later one of the same name; "
                                "only the last declaration of a name counts"});
    }
}

}  // namespace

void checkSchema(const std::string& schema, Findings& findings) {
    QJsonParseError parse;
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(schema), &parse);
    if (parse.error != QJsonParseError::NoError || !document.isObject()) {
        std::string why = parse.error != QJsonParseError::NoError ? parse.errorString().toStdString() : "not an object";
        findings.push_back({Finding::Level::Failure, "its parameter schema is not a JSON object (" + why + "): " + schema});
        return;
    }
    const QJsonObject root = document.object();
    std::string names;
    bool usable = true;
    for (auto it = root.begin(); it != root.end(); ++it) {
        usable = checkEntry(it.key(), it.value(), findings) && usable;
        names += (names.empty() ? "" : ", ") + it.key().toStdString() + " (" +
                 it.value().toObject().value("type").toString().toStdString() + ")";
    }
    checkRepeats(schema, root, findings);
    if (!usable) return;
    findings.push_back({Finding::Level::Ok, root.isEmpty() ? "it declares no parameters"
                                                           : "its parameters: " + names});
}

}  // namespace zqhost
