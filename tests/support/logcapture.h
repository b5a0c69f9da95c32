// Captures what bypasses the host: platform-logger records and Qt debug
// messages. One capture at a time; it restores the previous sinks when it goes.
#pragma once

#include <string>
#include <vector>

#include "zqloglib.h"

namespace fake {

struct PlatformRecord {
    int level;
    std::string module;
    int line;
    std::string file;
    std::string function;
    std::string text;
};

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<PlatformRecord> platform;  // ZqLogLib records
    std::vector<std::string> qtDebug;      // Qt debug messages
};

}  // namespace fake
