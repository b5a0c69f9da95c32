#include "hostlog.h"

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstring>
#include <mutex>
#include <vector>

#include "hostos.h"
#include "zqloglib.h"

namespace zqhost {

namespace {

const char* const kLevelNames[] = {"debug", "info", "warn", "error"};

// A log that goes to a file or a pipe is written in blocks, at least every
// kFlushEvery: a replay logs hundreds of thousands of lines, and a system
// call each would be a large part of its work. On a terminal each line
// shows as it comes.
constexpr auto kFlushEvery = std::chrono::milliseconds(200);

std::mutex streamLock;
std::FILE* logFile = nullptr;  // guarded by streamLock; null: standard output
bool eachLine = true;          // guarded by streamLock: flush after every line
std::chrono::steady_clock::time_point flushed;  // guarded by streamLock
int threshold = kLogInfo;      // written before the adapter is loaded
RecordWatcher recordWatcher = nullptr;

std::FILE* stream() {
    return logFile ? logFile : stdout;
}

const char* tag(int level) {
    static const char* const tags[] = {"DEBUG", "INFO", "WARN", "ERROR"};
    return level >= 0 && level < 4 ? tags[level] : "LOG";
}

void platformRecord(const ZqLogRecord& r, void*) {
    if (!logEnabled(r.level)) return;
    logLine(r.level, std::string("[") + tag(r.level) + "] " + r.module + " " + r.file + " " + r.function + ": " + r.text);
    if (recordWatcher) recordWatcher(r.level, r.module, r.function, r.text);
}

}  // namespace

bool parseLogLevel(const std::string& text, int& level) {
    for (int i = 0; i < 4; ++i) {
        if (text == kLevelNames[i] || text == std::to_string(i)) {
            level = i;
            return true;
        }
    }
    return false;
}

const char* logLevelName(int level) {
    return level >= 0 && level < 4 ? kLevelNames[level] : "?";
}

bool startLog(const std::string& path, int level, std::string& error) {
    std::FILE* file = nullptr;
    if (!path.empty() && !(file = std::fopen(path.c_str(), "w"))) {
        error = "cannot write the log " + path + ": " + std::strerror(errno);
        return false;
    }
    {
        std::lock_guard<std::mutex> guard(streamLock);
        logFile = file;
        eachLine = os::isTerminal(stream());
        flushed = std::chrono::steady_clock::now();
        threshold = level;
    }
    ZqLogLib::GetInstance().SetThreshold(level);
    ZqLogLib::GetInstance().SetSink(platformRecord, nullptr);
    return true;
}

void stopLog() {
    ZqLogLib::GetInstance().SetSink(nullptr, nullptr);
    std::lock_guard<std::mutex> guard(streamLock);
    if (logFile) std::fclose(logFile);
    logFile = nullptr;
}

void watchPlatformRecords(RecordWatcher watcher) {
    recordWatcher = watcher;
}

bool logEnabled(int level) {
    return level >= threshold;
}

void logLine(int level, const std::string& text) {
    if (!logEnabled(level)) return;
    std::lock_guard<std::mutex> guard(streamLock);
    std::fprintf(stream(), "%s\n", text.c_str());
    auto now = std::chrono::steady_clock::now();
    if (!eachLine && now - flushed < kFlushEvery) return;
    std::fflush(stream());
    flushed = now;
}

void flushLog() {
    std::lock_guard<std::mutex> guard(streamLock);
    std::fflush(stream());
}

void hostLine(int level, const char* format, ...) {
    if (!logEnabled(level)) return;
    std::vector<char> text(256);
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    if (n >= static_cast<int>(text.size())) {
        text.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
    }
    va_end(again);
    logLine(level, std::string("[HOST] ") + (n < 0 ? "" : text.data()));
}

void tellUser(const std::string& message) {
    std::lock_guard<std::mutex> guard(streamLock);
    std::fflush(stdout);
    std::fprintf(stderr, "zqhost: %s\n", message.c_str());
    if (logFile) {
        std::fprintf(logFile, "zqhost: %s\n", message.c_str());
        std::fflush(logFile);
    }
}

std::FILE* terminal() {
    return stdout;
}

}  // namespace zqhost
