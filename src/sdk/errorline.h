// The line a library operation writes when it fails: its bare source file
// name, the line, the qualified function name, error level, through the host
// like any SDK log line. Each source keeps a one-line wrapper naming itself.
#pragma once

#include "norq/zqlog.h"

namespace zqinternal {

inline Norq::ZqLog errorLine(const char* source, int line, const char* function) {
    Norq::ZqLog log(source, line, function);
    log.error();
    return log;
}

}  // namespace zqinternal
