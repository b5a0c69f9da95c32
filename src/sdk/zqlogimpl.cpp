#include "sdk/zqlogimpl.h"

#include <QtGlobal>

#include "adapter/zqcxxadapter.h"
#include "norq/zqlog.h"
#include "zqloglib.h"

namespace Norq {

namespace {

constexpr const char* kDirectModule = "STRATEGY_MODULE";

// The platform logger reads its format argument as printf conversions; a
// line's text must come out as written.
std::string asFormat(const std::string& text) {
    if (text.find('%') == std::string::npos) return text;
    std::string format;
    format.reserve(text.size() + 8);
    for (char c : text) {
        format += c;
        if (c == '%') format += '%';
    }
    return format;
}

void qtDebugLine(const std::string& text) {
    qDebug("%s", text.c_str());
}

}  // namespace

ZqLogImpl::ZqLogImpl(const char* file, int line, const char* function)
    : file(file ? file : ""), line(line), function(function ? function : "") {}

// Runs when the last ZqLog copy lets go. Logging must never take the caller
// down, so nothing thrown by a sink leaves here.
ZqLogImpl::~ZqLogImpl() {
    try {
        if (mode == LOG_MODE_DIRECT) {
            ZqLogLib::GetInstance().Log(level, kDirectModule, line, file.c_str(), function.c_str(),
                                        asFormat(text.str()).c_str());
            return;
        }
        ZqLogImplImpl::instance().write(level, line, file, function, text.str(), user_log, user_flag);
    } catch (...) {
    }
}

ZqLogImplImpl& ZqLogImplImpl::instance() {
    static ZqLogImplImpl filter;
    return filter;
}

void ZqLogImplImpl::write(int32_t level, int32_t line, const std::string& file, const std::string& function,
                          const std::string& text, const std::string& userLog, bool userFlag) {
    zq::HostServices* host = ZqCxxAdapter::instance().host();
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
