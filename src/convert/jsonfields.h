// Reading host JSON into record fields: the few conversions every JSON
// converter names. Texts are UTF-8 and cut in bytes.
#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>
#include <cstdint>
#include <string>
#include <type_traits>

#include "convert/fieldconvert.h"
#include "norq/zqlog.h"
#include "sdk/textcopy.h"

namespace zqinternal {

// A JSON string into a fixed field, cut to the field; anything else is empty.
template <size_t N>
void copyJsonText(char (&field)[N], const QJsonValue& value) {
    QByteArray utf8 = value.toString().toUtf8();
    copyText(field, utf8.constData(), static_cast<size_t>(utf8.size()));
}

// A JSON string into a fixed field only when it fits whole; otherwise the
// field stays empty. For texts a cut would make wrong, such as ids.
template <size_t N>
void copyWholeJsonText(char (&field)[N], const QJsonValue& value) {
    QByteArray utf8 = value.toString().toUtf8();
    if (static_cast<size_t>(utf8.size()) < N) copyText(field, utf8.constData(), static_cast<size_t>(utf8.size()));
}

// Numbers the host sends as decimal texts. A JSON number, or a text that is
// no number, gives 0.
inline double stringToDouble(const QJsonValue& value) {
    return value.toString().toDouble();
}

inline int32_t stringToInt(const QJsonValue& value) {
    return value.toString().toInt();
}

inline int64_t stringToInt64(const QJsonValue& value) {
    return truncToInt<int64_t>(stringToDouble(value));
}

inline QJsonValue member(const QJsonObject& object, const char* key) {
    return object.value(QLatin1String(key));
}

inline bool has(const QJsonObject& object, const char* key) {
    return object.contains(QLatin1String(key));
}

// One row of a converter's key table: a JSON key and the conversion that
// stores its value into one field of `Record`. The conversions come from
// JsonRead<Record>, so a row names the key, the type the host sends it as and
// the field: {"cash_balance", JsonRead<EtfInfo>::decimalText<&EtfInfo::cash_balance>}.
// A member of any other type, or none, stores 0 or the empty text.
template <typename Record>
struct JsonKey {
    const char* key;
    void (*read)(const QJsonValue& value, Record& record);
};

template <typename Record>
struct JsonRead {
    // A string, cut to the text field.
    template <auto Field>
    static void text(const QJsonValue& v, Record& r) {
        copyJsonText(r.*Field, v);
    }
    template <auto Field>
    static void number(const QJsonValue& v, Record& r) {
        r.*Field = v.toDouble();
    }
    // A number holding a whole int32; a fraction gives 0 too.
    template <auto Field>
    static void wholeNumber(const QJsonValue& v, Record& r) {
        r.*Field = v.toInt();
    }
    // A number cut toward zero to the field's integer type.
    template <auto Field>
    static void truncatedNumber(const QJsonValue& v, Record& r) {
        r.*Field = truncToInt<std::remove_reference_t<decltype(r.*Field)>>(v.toDouble());
    }
    // A whole number; true when above 0.
    template <auto Field>
    static void positiveNumber(const QJsonValue& v, Record& r) {
        r.*Field = v.toInt() > 0;
    }
    template <auto Field>
    static void decimalText(const QJsonValue& v, Record& r) {
        r.*Field = stringToDouble(v);
    }
    template <auto Field>
    static void integerText(const QJsonValue& v, Record& r) {
        r.*Field = stringToInt(v);
    }
};

template <typename Record, size_t N>
void readKeys(const QJsonObject& object, const JsonKey<Record> (&keys)[N], Record& record) {
    for (const JsonKey<Record>& row : keys) row.read(member(object, row.key), record);
}

// A host answer parsed where it lies.
struct ParsedJson {
    QJsonDocument document;
    QString error;  // the parser's text; empty when it parsed
    bool ok = false;
};

inline ParsedJson parseJson(const char* text, size_t length) {
    QJsonParseError error;
    ParsedJson parsed;
    parsed.document = QJsonDocument::fromJson(QByteArray::fromRawData(text, static_cast<int>(length)), &error);
    parsed.ok = error.error == QJsonParseError::NoError;
    if (!parsed.ok) parsed.error = error.errorString();
    return parsed;
}

inline ParsedJson parseJson(const std::string& json) {
    return parseJson(json.data(), json.size());
}

// The one line a converter writes for an answer that does not parse,
// straight to the platform logger.
inline void logParseError(const char* source, int line, const char* function, const char* json,
                          const QString& error) {
    Norq::ZqLog(source, line, function).log(Norq::LOG_LEVEL_ERROR, Norq::LOG_MODE_DIRECT)
        << "json解析失败：" << json << "," << error.toUtf8().constData();
}

inline void logParseError(const char* source, int line, const char* function, const std::string& json,
                          const QString& error) {
    logParseError(source, line, function, json.c_str(), error);
}

}  // namespace zqinternal
