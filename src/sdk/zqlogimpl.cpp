#include "sdk/zqlogimpl.h"

#include "norq/zqlog.h"
#include "sdk/logrouter.h"
#include "zqloglib.h"

namespace Norq {

namespace {

constexpr const char* kDirectModule = "STRATEGY_MODULE";

}  // namespace

ZqLogImpl::ZqLogImpl(const char* file, int line, const char* function)
    : file(file ? file : ""), line(line), function(function ? function : "") {}

// Runs when the last ZqLog copy lets go. Logging must never take the caller
// down, so nothing thrown by a sink leaves here.
ZqLogImpl::~ZqLogImpl() {
    try {
        if (mode == LOG_MODE_DIRECT) {
            // The logger reads printf conversions; the text must come out as written.
            ZqLogLib::GetInstance().Log(level, kDirectModule, line, file.c_str(), function.c_str(), "%s",
                                        buffer.c_str());
            return;
        }
        zqinternal::LogRouter::instance().write(level, line, file.c_str(), function.c_str(), buffer.c_str(),
                                                user_log.c_str(), user_flag);
    } catch (...) {
    }
}

}  // namespace Norq
