// Stand-in for the platform's logging library: one process-wide logger with a
// printf-style write operation. Records go to standard error, one line each,
// unless a sink is installed (tests use one to capture them). Records below
// the threshold (debug by default) are dropped before they are formatted.
#pragma once

#include <atomic>

#if defined(_WIN32)
#if defined(ZQLOGLIB_BUILD)
#define ZQLOGLIB_EXPORT __declspec(dllexport)
#else
#define ZQLOGLIB_EXPORT __declspec(dllimport)
#endif
#else
#define ZQLOGLIB_EXPORT __attribute__((visibility("default")))
#endif

// One formatted record, as handed to a sink. The texts live for the call only.
struct ZqLogRecord {
    int level;
    const char* module;
    int line;
    const char* file;
    const char* function;
    const char* text;
};

using ZqLogSink = void (*)(const ZqLogRecord& record, void* user);

class ZQLOGLIB_EXPORT ZqLogLib {
public:
    static ZqLogLib& GetInstance();

    // Slot 0: writes one record; format follows printf conventions. The
    // result is the length of the formatted text.
    virtual int Log(int level, const char* module, int line, const char* file, const char* function, const char* format,
                    ...);

    // Replaces standard error by `sink` (null restores standard error).
    void SetSink(ZqLogSink sink, void* user);
    // Records of a lower level than `level` are dropped; any thread.
    void SetThreshold(int level);

private:
    ZqLogLib() = default;
    ZqLogSink sink_ = nullptr;
    void* sinkUser_ = nullptr;
    std::atomic<int> threshold_{0};
};
