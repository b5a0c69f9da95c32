// Reading host JSON into record fields: the few conversions every JSON
// converter names. Texts are UTF-8 and cut in bytes.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <cstdint>

#include "convert/fieldconvert.h"
#include "sdk/textcopy.h"

namespace Norq {

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

}  // namespace Norq
