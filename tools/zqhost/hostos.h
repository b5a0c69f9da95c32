// What only the local host and its tools need of the operating system: their
// memory, the terminal, the environment. Loading libraries and paths go
// through the seam the library uses too (os/os.h). One implementation per
// system (hostos_posix.cpp, hostos_win.cpp), chosen by the build. Any thread
// may call these; none throws.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace zqhost {
namespace os {

// The most memory this process has had resident so far, in bytes.
size_t peakResidentBytes();
// Whether `stream` goes to a terminal: where a progress line belongs, and
// where a reader sees each line as it comes.
bool isTerminal(std::FILE* stream);
// Keeps the interruption signals (SIGINT, SIGTERM) from the calling thread,
// so that they reach the thread driving the strategy, which handles them
// one after the other. Called first by every helper thread.
void keepInterruptionsAway();
// Sets a variable of this process's environment unless it is set already.
void setEnvironmentDefault(const std::string& name, const std::string& value);
// Names the system's time zone for this process unless the user named one,
// so that local-time conversions stop reading the zone file again at every
// call (the library converts a trading date on each day of a replay). The
// zone stays the system's.
void pinSystemTimeZone();

}  // namespace os
}  // namespace zqhost
