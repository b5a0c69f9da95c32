#include "sdk/zqlogimpl.h"

#include "norq/zqlog.h"
#include "sdk/logrouter.h"
#include "zqloglib.h"

namespace Norq {

namespace {

constexpr const char* kDirectModule = "STRATEGY_MODULE";

// The platform logger reads its format argument as printf conversions; a
// line's text must come out as written.
std::string asFormat(const char* text) {
    std::string format;
    for (; *text; ++text) {
        format += *text;
        if (*text == '%') format += '%';
    }
    return format;
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
                                        asFormat(buffer.c_str()).c_str());
            return;
        }
        LogRouter::instance().write(level, line, file.c_str(), function.c_str(), buffer.c_str(), user_log.c_str(),
                                    user_flag);
    } catch (...) {
    }
}

}  // namespace Norq
