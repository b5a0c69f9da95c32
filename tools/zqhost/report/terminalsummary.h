// The closing lines of a replay on the terminal: label and value, values
// aligned in one column, one line each, ending in a newline.
#pragma once

#include <string>

#include "runresult.h"

namespace zqhost {

std::string terminalSummary(const RunResult& run);

}  // namespace zqhost
