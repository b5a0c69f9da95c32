// The library's only seam to the operating system. One implementation per
// system (platform_posix.cpp, platform_win.cpp), chosen by the build.
// Every function may be called from any thread; none throws.
#pragma once

#include <cstddef>
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
// The most memory this process has had resident so far, in bytes.
size_t peakResidentBytes();
// Whether standard error goes to a terminal (where a progress line belongs).
bool stderrIsTerminal();
// Sets a variable of this process's environment unless it is set already.
void setEnvironmentDefault(const std::string& name, const std::string& value);

// The character between a directory and its entries: '\\' on Windows, '/'
// elsewhere.
char pathSeparator();
// A directory in the form the system compares it: upper-cased on Windows,
// whose file names ignore case; unchanged elsewhere.
std::string foldDirectoryCase(const std::string& directory);
// The process's current directory; empty when it cannot be read.
std::string workingDirectory();
// The number of the calling thread's last system error (GetLastError(),
// errno), as the system reports it, for the log.
int lastErrorNumber();
// Makes the exports of the loaded library that holds `address` visible to
// every library loaded after it, as if the program had been linked to it.
// A library loaded into a scope of its own keeps its exports there, so the
// plug-ins it loads in turn (an interpreter's extension modules) could not
// resolve their names against it. Nothing to do on Windows, where each
// library names the one it imports from. False when no loaded library holds
// `address`.
bool exposeLibraryExports(const void* address);

}  // namespace platform
}  // namespace zq
