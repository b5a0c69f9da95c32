// The local host's one log stream: its own lines ("[HOST] ..."), the lines
// the library hands the host services and the platform logger's records,
// written whole and in the order they arrive, to standard output or to the
// file of --log: line by line on a terminal, elsewhere in blocks at least
// five times a second (a crash, a timeout and a second interruption write
// out what is pending before the process ends). Lines below the threshold (--log-level, --quiet) are
// dropped; the platform logger gets the same threshold, so it does not even
// format what would be dropped. The terminal summary and the user's error
// messages do not belong to the stream: they go to the terminal.
// Set up once by the main thread before the adapter is loaded; lines may
// then come from any thread (the call watch writes from its own).
#pragma once

#include <cstdio>
#include <string>

namespace zqhost {

enum LogLevel : int { kLogDebug = 0, kLogInfo = 1, kLogWarn = 2, kLogError = 3 };

// "debug", "info", "warn" or "error" (or 0 to 3); false for anything else.
bool parseLogLevel(const std::string& text, int& level);
const char* logLevelName(int level);

// Sends the stream to `path` (empty: standard output) with `threshold`, and
// takes the platform logger's records into it. On failure returns false
// with the reason in `error` and changes nothing.
bool startLog(const std::string& path, int threshold, std::string& error);
// Gives the platform logger's records back and closes the log file.
void stopLog();
// `watcher` also sees every platform record that passes the threshold,
// after it is written (null: none). Set before the adapter is loaded.
using RecordWatcher = void (*)(int level, const char* module, const char* function, const char* text);
void watchPlatformRecords(RecordWatcher watcher);

bool logEnabled(int level);
// One line of the stream; `text` without its line end.
void logLine(int level, const std::string& text);
// Writes out the lines not yet written. Not for signal handlers, which
// call std::fflush(nullptr) instead: this takes the stream's lock.
void flushLog();
// A line of the host's own: "[HOST] " and the printf-formatted text.
void hostLine(int level, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// A message for the user on standard error ("zqhost: ..."); it also goes
// into the log file when there is one, so the file says how the run ended.
void tellUser(const std::string& message);
// Where the closing summary goes: standard output, whatever the stream does.
std::FILE* terminal();

}  // namespace zqhost
