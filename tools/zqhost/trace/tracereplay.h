// `zqhost --replay FILE.jsonl STRATEGY`: runs the strategy against a
// recorded run (see trace.h) instead of bars. The recorded notifications
// are delivered again at their recorded times, the library's calls are
// answered from the recording (ReplayHost), and the first call the strategy
// makes differently, or no longer makes, is reported with its line.
// The parameters are the recorded choices, with --params and --param on top.
#pragma once

#include "options.h"

namespace zqhost {

// The process exit status: 0 the strategy did what it did then, 5 it
// differs, 1 the trace or the strategy cannot be used, 2 a bad command line.
int replayTrace(const Options& options);

}  // namespace zqhost
