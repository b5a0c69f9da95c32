#include "sdk/logrouter.h"

#include <QtGlobal>

#include "host/hostlink.h"

namespace Norq {

namespace {

void qtDebugLine(const std::string& text) {
    qDebug("%s", text.c_str());
}

}  // namespace

LogRouter& LogRouter::instance() {
    static LogRouter router;
    return router;
}

void LogRouter::write(int32_t level, int32_t line, const std::string& file, const std::string& function,
                      const std::string& text, const std::string& userLog, bool userFlag) {
    zq::HostServices* host = HostLink::get();
    if (!host) {
        qtDebugLine("log error: " + std::to_string(level) + " " + std::to_string(line) + " " + file + " " + function +
                    " " + text + " " + userLog);
        return;
    }
    auto toHost = [&] {
        host->WriteLog(level, line, file.c_str(), function.c_str(), text.c_str(), displayLevel.load(), userLog.c_str(),
                       userFlag);
    };
    if (!userLog.empty()) {
        toHost();
        return;
    }
    if (logLevel.load() > level) return;
    toHost();
    if (consoleLevel.load() > level) return;
    qtDebugLine(text);
}

}  // namespace Norq
