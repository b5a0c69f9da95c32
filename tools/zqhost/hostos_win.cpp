#include "hostos.h"

#include <io.h>
#include <stdlib.h>
#include <windows.h>
#include <psapi.h>

#include <cstdlib>

namespace zqhost {
namespace os {

size_t peakResidentBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}

bool isTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

void keepInterruptionsAway() {
    // Console interruptions reach a thread of their own; nothing to keep away.
}

void setEnvironmentDefault(const std::string& name, const std::string& value) {
    // getenv_s cannot be asked for the length alone by every C runtime the
    // library may be linked with; getenv can.
    if (std::getenv(name.c_str()) != nullptr) return;
    _putenv_s(name.c_str(), value.c_str());
}

void pinSystemTimeZone() {
    // The C runtime reads the zone once; nothing to pin.
}

}  // namespace os
}  // namespace zqhost
