#include "sdk/strategyparamsimpl.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QList>
#include <QString>

#include "norq/zqlog.h"

namespace Norq {

namespace {

// The source name hosts already filter these lines by; it predates the file's name.
constexpr const char* kSource = "norqultisimpl";

QJsonValue schemaValue(const ParamDefinition& d) {
    if (d.type == "list") {
        QJsonArray items;
        for (const QByteArray& item : d.value.toByteArray().split(',')) items.append(QString::fromUtf8(item));
        return items;
    }
    if (d.type == "table") return QString::fromUtf8(d.table);
    if (d.type == "int") return d.value.toInt();
    if (d.type == "float") return d.value.toDouble();
    if (d.type == "bool") return d.value.toBool();
    return QString::fromUtf8(d.value.toByteArray());
}

QJsonObject schemaEntry(const ParamDefinition& d, int index) {
    QJsonObject entry;
    entry.insert("desc", QString::fromUtf8(d.desc));
    entry.insert("value", schemaValue(d));
    if (d.type == "list") entry.insert("default_index", d.index);
    entry.insert("type", QString::fromUtf8(d.type));
    entry.insert("index", index);
    return entry;
}

// A value lookup: finds `key` in the JSON text, logging why it could not.
// `function` names the public lookup in the log. bool lookups report a
// parse failure in their own words and skip the object check.
class Lookup {
public:
    Lookup(const QByteArray& json, const char* key, const char* function, bool forBool)
        : json_(json), function_(function) {
        if (!key) return;
        QJsonParseError error;
        QJsonDocument doc = QJsonDocument::fromJson(json, &error);
        if (error.error != QJsonParseError::NoError) {
            if (forBool) {
                fail(__LINE__) << "获取运行参数失败：原因：参数非json object类型," << json_.constData();
            } else {
                fail(__LINE__) << "获取运行参数错误：原因：参数解析失败，" << error.errorString().toUtf8().constData();
            }
            return;
        }
        if (!forBool && !doc.isObject()) {
            fail(__LINE__) << "获取运行参数失败：原因：参数非json object类型," << json_.constData();
        }
        QJsonObject root = doc.object();
        QString name = QString::fromUtf8(key);
        if (!root.contains(name)) {
            fail(__LINE__) << "获取运行参数失败：原因：未找到key[" << key << "]对应的参数";
            return;
        }
        value_ = root.value(name);
        found_ = true;
    }

    bool found() const { return found_; }
    const QJsonValue& value() const { return value_; }

private:
    ZqLog fail(int line) const { return ZqLog(kSource, line, function_).log(LOG_LEVEL_ERROR, LOG_MODE_DIRECT); }

    const QByteArray& json_;
    const char* function_;
    QJsonValue value_;
    bool found_ = false;
};

}  // namespace

void StrategyParamsImpl::add(ParamDefinition definition) {
    if (definition.name.isEmpty()) return;
    definitions.push_back(std::move(definition));
}

QByteArray StrategyParamsImpl::schema() {
    if (definitions.empty()) return json;
    QJsonObject root;
    int index = 0;
    for (const ParamDefinition& d : definitions) root.insert(QString::fromUtf8(d.name), schemaEntry(d, index++));
    definitions.clear();
    json = QJsonDocument(root).toJson(QJsonDocument::Compact);
    return json;
}

void StrategyParamsImpl::preHandle() const {
    if (json.isEmpty()) return;
    QJsonParseError error;
    QJsonObject root = QJsonDocument::fromJson(json, &error).object();
    if (error.error != QJsonParseError::NoError) return;
    for (auto it = root.begin(); it != root.end(); ++it) {
        QJsonObject entry = it.value().toObject();
        QString type = entry.value("type").toString();
        QByteArray name = it.key().toUtf8();
        if (type == "table") {
            ZqLog(kSource, __LINE__, "Norq::StrategyParamsImpl::preHandle").warn()
                << "启动策略不支持表格类型的参数：" << name.constData();
        } else if (type == "list") {
            int defaultIndex = entry.value("default_index").toInt();
            int size = entry.value("value").toArray().size();
            if (size <= defaultIndex) {
                ZqLog(kSource, __LINE__, "Norq::StrategyParamsImpl::preHandle").warn()
                    << "启动策略时列表类型参数指定的默认序号超出列表范围，序号：" << defaultIndex << ",列表长度："
                    << size;
            }
        }
    }
}

// Values are read as text and then converted, so a JSON number reads as the
// empty text and converts to 0.
bool StrategyParamsImpl::getBoolValue(const char* key) const {
    Lookup lookup(json, key, "Norq::StrategyParamsImpl::getBoolValue", true);
    if (!lookup.found()) return false;
    return lookup.value().toString().toInt() != 0;
}

double StrategyParamsImpl::getFloatValue(const char* key) const {
    Lookup lookup(json, key, "Norq::StrategyParamsImpl::getFloatValue", false);
    if (!lookup.found()) return -1.0;
    return lookup.value().toString().toDouble();
}

int StrategyParamsImpl::getIntValue(const char* key) const {
    Lookup lookup(json, key, "Norq::StrategyParamsImpl::getIntValue", false);
    if (!lookup.found()) return -1;
    return lookup.value().toString().toInt();
}

QByteArray StrategyParamsImpl::getStrValue(const char* key) const {
    Lookup lookup(json, key, "Norq::StrategyParamsImpl::getStrValue", false);
    if (!lookup.found()) return QByteArray();
    const QJsonValue& value = lookup.value();
    if (value.isObject()) return QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    return value.toString().toUtf8();
}

}  // namespace Norq
