#include "params.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cmath>

namespace zqhost {

namespace {

// The client's run mode for a strategy that does not trade live: any mode
// but 0 makes the library ask the host for the current time.
constexpr const char* kOperateModeKey = "operate_mode";
constexpr const char* kReplayOperateMode = "1";

bool parseObject(const std::string& json, QJsonObject& object, std::string& error, const char* what) {
    QJsonParseError parse;
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = std::string(what) + " is not valid JSON: " + parse.errorString().toStdString();
        return false;
    }
    if (!document.isObject()) return error = std::string(what) + " is not a JSON object", false;
    object = document.object();
    return true;
}

// A chosen value as JSON: texts given on the command line or as JSON strings
// are read by the parameter's type.
QString typedText(const QString& name, const QString& type, const QJsonValue& given, const QJsonObject& entry,
                  std::string& error) {
    const std::string label = "parameter '" + name.toStdString() + "' ";
    QString text = given.isString() ? given.toString() : QString();
    bool ok = false;
    if (type == "int") {
        double number = given.isDouble() ? given.toDouble() : text.toDouble(&ok);
        if ((given.isDouble() || ok) && std::trunc(number) == number && std::fabs(number) < 2147483648.0) {
            return QString::number(static_cast<long long>(number));
        }
        error = label + "takes a whole number";
    } else if (type == "float") {
        double number = given.isDouble() ? given.toDouble() : text.toDouble(&ok);
        if (given.isDouble() || ok) return QString::number(number, 'g', 17);
        error = label + "takes a number";
    } else if (type == "bool") {
        if (given.isBool()) return given.toBool() ? "1" : "0";
        if (text == "true" || text == "1") return "1";
        if (text == "false" || text == "0") return "0";
        error = label + "takes true or false";
    } else if (type == "list") {
        if (entry.value("value").toArray().contains(QJsonValue(text))) return text;
        error = label + "takes one of its list entries";
    } else if (given.isString()) {
        return text;
    } else {
        error = label + "takes a text";
    }
    return QString();
}

// The default the schema declares, as the library reads it.
QString defaultText(const QJsonObject& entry) {
    const QString type = entry.value("type").toString();
    const QJsonValue value = entry.value("value");
    if (type == "bool") return value.toBool() ? "1" : "0";
    if (type == "int") return QString::number(value.toInt());
    if (type == "float") return QString::number(value.toDouble(), 'g', 17);
    if (type == "list") return value.toArray().at(entry.value("default_index").toInt()).toString();
    return value.toString();
}

bool addAssignments(const std::vector<std::string>& assignments, QJsonObject& chosen, std::string& error) {
    for (const std::string& assignment : assignments) {
        size_t eq = assignment.find('=');
        if (eq == std::string::npos || eq == 0) return error = "--param takes NAME=VALUE, got '" + assignment + "'", false;
        chosen.insert(QString::fromStdString(assignment.substr(0, eq)), QString::fromStdString(assignment.substr(eq + 1)));
    }
    return true;
}

}  // namespace

bool buildRunParams(const std::string& schema, const std::string& userJson,
                    const std::vector<std::string>& assignments, std::string& runParams, std::string& error) {
    QJsonObject declared, chosen;
    if (!parseObject(schema, declared, error, "the strategy's parameter schema")) return false;
    if (!parseObject(userJson.empty() ? "{}" : userJson, chosen, error, "--params")) return false;
    if (!addAssignments(assignments, chosen, error)) return false;
    for (auto it = chosen.begin(); it != chosen.end(); ++it) {
        if (!declared.contains(it.key())) {
            error = "the strategy has no parameter '" + it.key().toStdString() + "'";
            return false;
        }
    }
    QJsonObject values;
    for (auto it = declared.begin(); it != declared.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        const QString type = entry.value("type").toString();
        if (type == "table") continue;
        QString text = chosen.contains(it.key()) ? typedText(it.key(), type, chosen.value(it.key()), entry, error)
                                                 : defaultText(entry);
        if (!error.empty()) return false;
        values.insert(it.key(), text);
    }
    if (!values.contains(kOperateModeKey)) values.insert(kOperateModeKey, kReplayOperateMode);
    runParams = QJsonDocument(values).toJson(QJsonDocument::Compact).toStdString();
    return true;
}

}  // namespace zqhost
