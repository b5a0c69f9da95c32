// English lines where the library's own records (in the host system's
// language, and left as they are) mean the user has to act: an account type
// the run has no account for, a run parameter the strategy reads that does
// not exist, a Python file that did not load. Each says what to do, once
// per subject and run, as a warning in the log stream (hostlog.h).
// Any thread; the platform logger may call from the strategy's threads.
#pragma once

#include <string>

namespace zqhost {

// The strategy asked for the account of `type` and the run has none.
void hintMissingAccount(const std::string& type);
// Looks at one platform logger record (a hostlog.h RecordWatcher).
void hintFromRecord(int level, const char* module, const char* function, const char* text);

}  // namespace zqhost
