// The error line every system-API failure writes: source "zqsysapi", the
// qualified function name, error level.
#pragma once

#include "sdk/errorline.h"

namespace sysapi {

inline Norq::ZqLog errorLine(int line, const char* function) {
    return zqinternal::errorLine("zqsysapi", line, function);
}

}  // namespace sysapi
