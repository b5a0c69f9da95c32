#include "sdk/zqlogimpl.h"

#include "norq/zqlog.h"
#include "sdk/logrouter.h"
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
        LogRouter::instance().write(level, line, file, function, text.str(), user_log, user_flag);
    } catch (...) {
    }
}

}  // namespace Norq
