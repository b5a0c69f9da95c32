// zqhost's exit statuses, the same for a replay, a trace replay, the doctor
// and a sweep (README, "Exit status"), and the one way a run stops with a
// message for the user.
#pragma once

#include <string>

#include "hostlog.h"

namespace zqhost {

constexpr int kExitFailure = 1;          // the strategy, bars, parameters or a result file could not be used
constexpr int kExitBadCommandLine = 2;
constexpr int kExitStrategyErrors = 3;   // a strategy callback threw
constexpr int kExitCallbackTimeout = 4;  // a callback did not return within --callback-timeout
constexpr int kExitDiffers = 5;          // a replayed trace went another way
constexpr int kExitInterrupted = 130;    // as a shell reports a SIGINT

// Tells the user `message` and answers `status`, for `return fail(...)`.
inline int fail(const std::string& message, int status = kExitFailure) {
    tellUser(message);
    return status;
}

}  // namespace zqhost
