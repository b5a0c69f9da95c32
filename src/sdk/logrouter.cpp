#include "sdk/logrouter.h"

#include <QtGlobal>
#include <string>

#include "host/hostchannel.h"

namespace zqinternal {

namespace {

void qtDebugLine(const char* text) {
    qDebug("%s", text);
}

}  // namespace

LogRouter& LogRouter::instance() {
    static LogRouter router;
    return router;
}

void LogRouter::write(int32_t level, int32_t line, const char* file, const char* function, const char* text,
                      const char* userLog, bool userFlag) {
    zq::HostServices* host = HostChannel::instance().host();
    if (!host) {
        const std::string message = "log error: " + std::to_string(level) + " " + std::to_string(line) + " " + file +
                                    " " + function + " " + text + " " + userLog;
        qtDebugLine(message.c_str());
        return;
    }
    auto toHost = [&] {
        host->WriteLog(level, line, file, function, text, displayLevel.load(), userLog, userFlag);
    };
    if (*userLog) {
        toHost();
        return;
    }
    if (logLevel.load() > level) return;
    toHost();
    if (consoleLevel.load() > level) return;
    qtDebugLine(text);
}

}  // namespace zqinternal
