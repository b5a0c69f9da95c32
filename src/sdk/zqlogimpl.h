// The pending line behind a ZqLog handle, and the process-wide filter that
// decides where a finished line goes.
#pragma once

#include <atomic>
#include <cstdint>
#include <sstream>
#include <string>

namespace Norq {

// One line being built. Shared by every copy of the ZqLog that made it; the
// last copy to go deletes it, and deletion writes the line.
class ZqLogImpl {
public:
    ZqLogImpl(const char* file, int line, const char* function);
    virtual ~ZqLogImpl();

    std::ostringstream text;
    std::string file;
    int32_t line;
    std::string function;
    int32_t level = 1;  // info, for lines that never chose a level
    std::string user_log;
    bool user_flag = false;
    int32_t mode = 0;
    int32_t copies = 1;  // ZqLog handles sharing this line
};

// The thresholds every ordinary line passes through. Written by ZqLog's
// static setters and read by every line, from any thread, without locks.
class ZqLogImplImpl {
public:
    static ZqLogImplImpl& instance();

    // The ordinary path: to the host's log operation (user-log lines always,
    // others from the log threshold up) and echoed to the Qt debug output
    // from the console threshold up. Without a host, only a "log error:"
    // debug message.
    void write(int32_t level, int32_t line, const std::string& file, const std::string& function,
               const std::string& text, const std::string& userLog, bool userFlag);

    std::atomic<int32_t> logLevel{0};
    std::atomic<int32_t> consoleLevel{0};
    std::atomic<int32_t> displayLevel{0};
};

}  // namespace Norq
