// The error line every system-API failure writes: source "zqsysapi", the
// qualified function name, error level.
#pragma once

#include "norq/zqlog.h"

namespace sysapi {

inline Norq::ZqLog errorLine(int line, const char* function) {
    Norq::ZqLog log("zqsysapi", line, function);
    log.error();
    return log;
}

}  // namespace sysapi
