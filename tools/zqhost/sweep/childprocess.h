// The sweep's seam to the operating system: where this very executable is,
// and child processes that run it with their output in a log file. Only the
// sweep's thread calls these; a child is waited for by whoever started it.
#pragma once

#include <string>
#include <vector>

namespace zqhost {

// The absolute path of the running executable; empty when it cannot be read.
std::string selfExecutable();

// Starts `args[0]` with `args`, standard output and error appended to
// `logPath`, standard input from nothing. Returns its process id, or -1
// with the reason in `error`.
long startChild(const std::vector<std::string>& args, const std::string& logPath, std::string& error);

struct ChildExit {
    long pid = -1;  // -1: no child left to wait for
    int status = 0;  // the exit status, or 128 + the signal that ended it, as a shell reports it
};

// Waits until one of the started children ends.
ChildExit waitForChild();

}  // namespace zqhost
