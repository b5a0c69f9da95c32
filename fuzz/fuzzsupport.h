// What the fuzz targets share. Engine runs discard the library's log lines;
// replay builds print them, so a corpus test can see which paths its inputs
// reached. Inputs are copied into heap blocks of exactly the size the host
// would hand over, so AddressSanitizer reports a read one byte past them.
// A broken promise stops the process through FUZZ_REQUIRE, which the engine
// records as a crash.
#pragma once

#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "zq/izqscriptadapter.h"
#include "zqloglib.h"

namespace fuzz {

// Routes the log lines as above (both to standard output, so they keep their
// order) and reads time in UTC, which, like the host's zone, has no daylight
// saving. Call first; later calls do nothing.
inline void setUpProcess() {
    [[maybe_unused]] static const bool done = [] {
#ifdef FUZZ_REPLAY
        ZqLogLib::GetInstance().SetSink(
            [](const ZqLogRecord& r, void*) {
                std::printf("[%d] %s %s:%d %s: %s\n", r.level, r.module, r.file, r.line, r.function, r.text);
            },
            nullptr);
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
            std::printf("%s\n", message.toUtf8().constData());
        });
#else
        ZqLogLib::GetInstance().SetSink([](const ZqLogRecord&, void*) {}, nullptr);
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
#endif
        setenv("TZ", "UTC", 1);
        tzset();
        return true;
    }();
}

[[noreturn]] inline void failed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken promise: %s\n", file, line, condition);
    std::abort();
}

// Runs the strategy library at `path` with these running parameters, once
// per process, with no host. Aborts when it cannot: a target that silently
// failed to reach its path would report nothing.
inline void runStrategyOnce(const char* path, const char* params) {
    [[maybe_unused]] static const bool running = [path, params] {
        zq::IZqScriptAdapter* adapter = getAdapter();
        if (!adapter->Init() || adapter->RunStrategy(path, params) != zq::kResultOk) {
            std::fprintf(stderr, "fuzz: cannot run %s\n", path);
            std::abort();
        }
        return true;
    }();
}

// The bytes as a NUL-terminated text in a block of size + 1 bytes.
inline std::unique_ptr<char[]> textCopy(const void* data, size_t size) {
    std::unique_ptr<char[]> text(new char[size + 1]);
    if (size) std::memcpy(text.get(), data, size);
    text[size] = '\0';
    return text;
}

// The bytes as one T in a block of exactly sizeof(T), zero after the input.
template <typename T>
std::unique_ptr<T> recordCopy(const void* data, size_t size) {
    std::unique_ptr<T> record(new T);
    std::memset(record.get(), 0, sizeof(T));
    std::memcpy(record.get(), data, size < sizeof(T) ? size : sizeof(T));
    return record;
}

// An input "head\nbody"; without a newline it is all head, and has no body.
inline std::pair<std::string, std::optional<std::string>> splitAtNewline(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    if (newline == std::string::npos) return {input, std::nullopt};
    return {input.substr(0, newline), input.substr(newline + 1)};
}

}  // namespace fuzz

#define FUZZ_REQUIRE(condition) ((condition) ? void() : fuzz::failed(#condition, __FILE__, __LINE__))
