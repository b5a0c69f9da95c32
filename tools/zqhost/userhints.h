// English lines where the library's own records (in the host system's
// language, and left as they are) mean the user has to act: a run parameter the strategy reads that does
// not exist, a Python file that did not load. Each says what to do, once
// per subject and run, as a warning in the log stream (hostlog.h).
// Any thread; the platform logger may call from the strategy's threads.
#pragma once

#include <string>

namespace zqhost {

// Looks at one platform logger record (a hostlog.h RecordWatcher).
void hintFromRecord(int level, const char* module, const char* function, const char* text);

}  // namespace zqhost
