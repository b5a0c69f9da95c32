// The bar push read by the converter as the adapter runs it (the plain reader
// first, Qt for whatever it declines) and by Qt alone must agree on the result,
// every byte of the record and every field of every log record, Qt's messages
// included; a text the plain reader takes Qt must parse cleanly into that very
// record. Shared by the bar push fuzz target and its test.
#pragma once

#include <QString>
#include <QtGlobal>

#include <cstring>
#include <string>
#include <vector>

#include "convert/barpushparser.h"
#include "convert/zqstructassembler.h"
#include "zqloglib.h"

namespace barpush {

struct Reading {
    int32_t result;
    Norq::KLineDataPush bar;
    std::vector<std::string> log;
};

inline std::vector<std::string>* capturedLog = nullptr;
// Into a record full of `junk`, so a byte the converter leaves shows too.
inline Reading readWith(int32_t (*convert)(const char*, Norq::KLineDataPush&), const char* json, unsigned char junk) {
    Reading reading;
    std::memset(&reading.bar, junk, sizeof reading.bar);
    capturedLog = &reading.log;
    ZqLogLib::GetInstance().SetSink(
        [](const ZqLogRecord& r, void*) {
            capturedLog->push_back(std::to_string(r.level) + '|' + r.module + '|' + r.file + ':' +
                                   std::to_string(r.line) + '|' + r.function + '|' + r.text);
        },
        nullptr);
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            capturedLog->push_back("Qt|" + std::to_string(type) + '|' + message.toStdString());
        });
    reading.result = convert(json, reading.bar);
    qInstallMessageHandler(previous);
    ZqLogLib::GetInstance().SetSink(nullptr, nullptr);
    return reading;
}

// What breaks the promises above for `json`, or "" when nothing does; sets
// whether the plain reader took the text.
inline std::string differenceFromQt(const char* json, bool& taken) {
    Norq::KLineDataPush plain;
    taken = json && zqinternal::parseBarPush(json, std::strlen(json), plain);
    const Reading adapter = readWith(ZqStructAssembler::AssemblePushKLineData, json, 0xa5);
    const Reading qt = readWith(zqinternal::assembleBarPushWithQt, json, 0x5a);
    if (adapter.result != qt.result)
        return "result " + std::to_string(adapter.result) + ", Qt " + std::to_string(qt.result);
    if (std::memcmp(&adapter.bar, &qt.bar, sizeof qt.bar) != 0) return "the record differs from Qt's";
    if (adapter.log != qt.log) return "log records differ";
    if (taken && (qt.result != 0 || !qt.log.empty() || std::memcmp(&plain, &qt.bar, sizeof plain) != 0))
        return "taken, but Qt did not parse it cleanly into the same record";
    return "";
}

}  // namespace barpush
