#include "hostos.h"

#include <io.h>
#include <stdlib.h>
#include <windows.h>
#include <psapi.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace zqhost {
namespace os {

namespace {

thread_local DWORD lastError = 0;

}  // namespace

ModuleHandle loadLibrary(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) lastError = GetLastError();
    return reinterpret_cast<ModuleHandle>(module);
}

void* findSymbol(ModuleHandle module, const char* name) {
    FARPROC address = GetProcAddress(reinterpret_cast<HMODULE>(module), name);
    if (!address) lastError = GetLastError();
    return reinterpret_cast<void*>(address);
}

void freeLibrary(ModuleHandle module) {
    if (module) FreeLibrary(reinterpret_cast<HMODULE>(module));
}

std::string lastErrorText() {
    return std::to_string(static_cast<unsigned long>(lastError));
}

std::string absolutePath(const std::string& path) {
    char buffer[MAX_PATH];
    std::memset(buffer, 0, sizeof buffer);
    if (!_fullpath(buffer, path.c_str(), sizeof buffer)) return std::string();
    return buffer;
}

bool fileExists(const std::string& path) {
    return !path.empty() && _access(path.c_str(), 0) == 0;
}

std::string executableDir() {
    std::vector<char> buffer(MAX_PATH);
    DWORD n = 0;
    while ((n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) == buffer.size()) {
        buffer.resize(buffer.size() * 2);
    }
    std::string exe(buffer.data(), n);
    size_t slash = exe.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

size_t peakResidentBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}

bool stderrIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

void setEnvironmentDefault(const std::string& name, const std::string& value) {
    // getenv_s cannot be asked for the length alone by every C runtime the
    // library may be linked with; getenv can.
    if (std::getenv(name.c_str()) != nullptr) return;
    _putenv_s(name.c_str(), value.c_str());
}

}  // namespace os
}  // namespace zqhost
