// Ctrl-C (SIGINT) and SIGTERM during a run. The first asks the run to stop:
// the replay stops delivering, the strategy is stopped as usual and the
// results are written, marked interrupted. The second ends the process at
// once with the same status. The handlers only set a flag the main thread
// polls between notifications.
#pragma once

#include "exitstatus.h"

namespace zqhost {

// Installs the handlers; the main thread, before the run.
void catchInterruptions();
// Whether a stop was asked for; any thread.
bool interruptRequested();

}  // namespace zqhost
