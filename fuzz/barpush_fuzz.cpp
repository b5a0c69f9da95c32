// The bar push read both ways from the same text: the converter as the
// adapter runs it (the plain reader first, Qt for whatever it declines) and
// Qt's reading alone. They must agree on the result, on every byte of the
// record and on every log record; and whenever the plain reader takes a
// text, Qt must have parsed it cleanly into that very record. Replay builds
// print how many inputs each reader took, so the corpus test shows that both
// were reached.
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "convert/barpushparser.h"
#include "convert/zqstructassembler.h"
#include "fuzzsupport.h"
#include "zqloglib.h"

using namespace Norq;

namespace {

std::vector<std::string> records;

// Every field of a record, so a record that differs in any of them shows;
// Qt's own messages too.
void keepRecord(const ZqLogRecord& r, void*) {
    records.push_back(std::to_string(r.level) + '|' + r.module + '|' + r.file + ':' + std::to_string(r.line) + '|' +
                      r.function + '|' + r.text);
}
void keepMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    records.push_back("Qt|" + std::to_string(type) + '|' + message.toStdString());
}

struct Reading {
    int32_t result;
    KLineDataPush bar;
    std::vector<std::string> log;
};

// Into a record full of `junk`, so a byte the converter leaves shows too.
Reading readWith(int32_t (*convert)(const char*, KLineDataPush&), const char* json, unsigned char junk) {
    Reading reading;
    std::memset(&reading.bar, junk, sizeof reading.bar);
    records.clear();
    reading.result = convert(json, reading.bar);
    reading.log.swap(records);
    return reading;
}

bool sameBytes(const KLineDataPush& a, const KLineDataPush& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::setUpProcess();
    static const bool sinkSet = [] {
        ZqLogLib::GetInstance().SetSink(keepRecord, nullptr);
        qInstallMessageHandler(keepMessage);
        return true;
    }();
    (void)sinkSet;
    const std::unique_ptr<char[]> json = fuzz::textCopy(data, size);

    KLineDataPush plain;
    const bool taken = zqinternal::parseBarPush(json.get(), std::strlen(json.get()), plain);
    const Reading adapter = readWith(ZqStructAssembler::AssemblePushKLineData, json.get(), 0xa5);
    const Reading qt = readWith(zqinternal::assembleBarPushWithQt, json.get(), 0x5a);
    FUZZ_REQUIRE(adapter.result == qt.result);
    FUZZ_REQUIRE(sameBytes(adapter.bar, qt.bar));
    FUZZ_REQUIRE(adapter.log == qt.log);
    if (taken) {
        FUZZ_REQUIRE(qt.result == 0);
        FUZZ_REQUIRE(qt.log.empty());
        FUZZ_REQUIRE(sameBytes(plain, qt.bar));
    }
#ifdef FUZZ_REPLAY
    static int takenCount = 0, declinedCount = 0;
    ++(taken ? takenCount : declinedCount);
    std::printf("barpush: %d read by the plain reader, %d declined\n", takenCount, declinedCount);
#endif
    return 0;
}
