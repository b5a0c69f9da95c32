#include "fuzzsupport.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "zq/izqscriptadapter.h"
#include "zqloglib.h"

namespace fuzz {

namespace {

#ifdef FUZZ_REPLAY
// Both kinds of line go to standard output, so they keep their order.
void printRecord(const ZqLogRecord& r, void*) {
    std::printf("[%d] %s %s:%d %s: %s\n", r.level, r.module, r.file, r.line, r.function, r.text);
}
void printMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
    std::printf("%s\n", message.toUtf8().constData());
}
#else
void discardRecord(const ZqLogRecord&, void*) {}
void discardMessage(QtMsgType, const QMessageLogContext&, const QString&) {}
#endif

}  // namespace

void setUpProcess() {
    static const bool done = [] {
#ifdef FUZZ_REPLAY
        ZqLogLib::GetInstance().SetSink(printRecord, nullptr);
        qInstallMessageHandler(printMessage);
#else
        ZqLogLib::GetInstance().SetSink(discardRecord, nullptr);
        qInstallMessageHandler(discardMessage);
#endif
        setenv("TZ", "UTC", 1);
        tzset();
        return true;
    }();
    (void)done;
}

void runStrategyOnce(const char* path, const char* params) {
    static const bool running = [path, params] {
        zq::IZqScriptAdapter* adapter = getAdapter();
        if (!adapter->Init() || adapter->RunStrategy(path, params) != zq::kResultOk) {
            std::fprintf(stderr, "fuzz: cannot run %s\n", path);
            std::abort();
        }
        return true;
    }();
    (void)running;
}

std::unique_ptr<char[]> textCopy(const uint8_t* data, size_t size) {
    std::unique_ptr<char[]> text(new char[size + 1]);
    if (size) std::memcpy(text.get(), data, size);
    text[size] = '\0';
    return text;
}

HeadAndBody splitAtNewline(const uint8_t* data, size_t size) {
    HeadAndBody split;
    const void* newline = size ? std::memchr(data, '\n', size) : nullptr;
    if (!newline) {
        split.head.assign(reinterpret_cast<const char*>(data), size);
        return split;
    }
    const size_t headSize = static_cast<size_t>(static_cast<const uint8_t*>(newline) - data);
    split.head.assign(reinterpret_cast<const char*>(data), headSize);
    split.hasBody = true;
    split.body = data + headSize + 1;
    split.bodySize = size - headSize - 1;
    return split;
}

void failed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken promise: %s\n", file, line, condition);
    std::abort();
}

}  // namespace fuzz
