// The library's only seam to the operating system. One implementation per
// system (platform_posix.cpp, platform_win.cpp), chosen by the build.
// Every function may be called from any thread; none throws.
#pragma once

#include <string>

namespace zq {
namespace platform {

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

// Between UTF-8 and the system's ANSI code page (identity where that is UTF-8).
std::string utf8ToAnsi(const std::string& text);
std::string ansiToUtf8(const std::string& text);

// The absolute, normalised form of a path; the path need not exist. Empty
// when it cannot be formed.
std::string absolutePath(const std::string& path);
bool fileExists(const std::string& path);
// The directory of the running executable, without a trailing separator.
std::string executableDir();
// Sets a variable of this process's environment unless it is set already.
void setEnvironmentDefault(const std::string& name, const std::string& value);

}  // namespace platform
}  // namespace zq
