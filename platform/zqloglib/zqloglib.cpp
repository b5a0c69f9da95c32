#include "zqloglib.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

std::mutex writeLock;

const char* levelName(int level) {
    switch (level) {
    case 0: return "DEBUG";
    case 1: return "INFO";
    case 2: return "WARN";
    case 3: return "ERROR";
    default: return "LEVEL?";
    }
}

const char* orEmpty(const char* text) {
    return text ? text : "";
}

}  // namespace

ZqLogLib& ZqLogLib::GetInstance() {
    static ZqLogLib instance;
    return instance;
}

int ZqLogLib::Log(int level, const char* module, int line, const char* file, const char* function, const char* format,
                  ...) {
    if (level < threshold_.load(std::memory_order_relaxed)) return 0;
    std::vector<char> text(256);
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(text.data(), text.size(), orEmpty(format), args);
    va_end(args);
    if (n >= static_cast<int>(text.size())) {
        text.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(text.data(), text.size(), orEmpty(format), again);
    }
    va_end(again);
    if (n < 0) text[0] = '\0';

    std::lock_guard<std::mutex> guard(writeLock);
    if (sink_) {
        sink_(ZqLogRecord{level, orEmpty(module), line, orEmpty(file), orEmpty(function), text.data()}, sinkUser_);
    } else {
        std::fprintf(stderr, "[%s] %s %s:%d %s: %s\n", levelName(level), orEmpty(module), orEmpty(file), line,
                     orEmpty(function), text.data());
    }
    return n;
}

void ZqLogLib::SetSink(ZqLogSink sink, void* user) {
    std::lock_guard<std::mutex> guard(writeLock);
    sink_ = sink;
    sinkUser_ = user;
}

void ZqLogLib::SetThreshold(int level) {
    threshold_.store(level, std::memory_order_relaxed);
}
