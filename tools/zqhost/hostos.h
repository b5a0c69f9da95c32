// What the local host and its tools need of the operating system: loading
// the adapter and strategy libraries, paths, the environment, the terminal.
// The adapter library has its own seam (src/os/), which this one does not
// reach into. One implementation per system (hostos_posix.cpp,
// hostos_win.cpp), chosen by the build. Any thread may call these; none
// throws.
#pragma once

#include <cstddef>
#include <string>

namespace zqhost {
namespace os {

using ModuleHandle = void*;

// Loads a shared library by path; null on failure, with lastErrorText()
// describing why. On Windows the library's own dependencies are resolved
// from its directory.
ModuleHandle loadLibrary(const std::string& path);
// The address of an export, or null (see lastErrorText()).
void* findSymbol(ModuleHandle module, const char* name);
void freeLibrary(ModuleHandle module);
// The system's description of the last failure of the calls above: the
// last-error number on Windows, the dlerror() text elsewhere. Call it right
// after the failing call.
std::string lastErrorText();

// The absolute, normalised form of a path; the path need not exist. Empty
// when it cannot be formed.
std::string absolutePath(const std::string& path);
bool fileExists(const std::string& path);
// The directory of the running executable, without a trailing separator.
std::string executableDir();
// The most memory this process has had resident so far, in bytes.
size_t peakResidentBytes();
// Whether standard error goes to a terminal (where a progress line belongs).
bool stderrIsTerminal();
// Sets a variable of this process's environment unless it is set already.
void setEnvironmentDefault(const std::string& name, const std::string& value);

}  // namespace os
}  // namespace zqhost
