// Where a finished ordinary log line goes: the process-wide thresholds, the
// host's log operation and the Qt debug echo. The thresholds are written by
// ZqLog's static setters and read by every line, from any thread, so they
// are atomic.
#pragma once

#include <atomic>
#include <cstdint>

namespace zqinternal {

class LogRouter {
public:
    static LogRouter& instance();

    // To the host's log operation (user-log lines always, others from the
    // log threshold up) and echoed to the Qt debug output from the console
    // threshold up. Without a host, only a "log error:" debug message.
    void write(int32_t level, int32_t line, const char* file, const char* function, const char* text,
               const char* userLog, bool userFlag);

    std::atomic<int32_t> logLevel{0};
    std::atomic<int32_t> consoleLevel{0};
    std::atomic<int32_t> displayLevel{0};
};

}  // namespace zqinternal
