#include "sdk/logrouter.h"

#include <QLoggingCategory>
#include <QtGlobal>
#include <string>

#include "host/hostchannel.h"

namespace zqinternal {

namespace {

// Qt formats a message before its logging rules drop it; when they turn
// debug output off (zqhost does, since it prints every line itself) the echo
// of each of a replay's lines would be formatted for nothing.
void qtDebugLine(const char* text) {
    if (!QLoggingCategory::defaultCategory()->isDebugEnabled()) return;
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
