// The only seam to the operating system, shared by the library and the
// local host: what the adapter needs to load strategy libraries, what the
// Python loader needs to find its files, and what zqhost needs to load the
// adapter. One implementation per system (os_posix.cpp, os_win.cpp), chosen
// by the build. Every function may be called from any thread; none throws.
#pragma once

#include <string>

namespace zq {
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

// Between UTF-8 and the system's ANSI code page (identity where that is UTF-8).
std::string utf8ToAnsi(const std::string& text);
std::string ansiToUtf8(const std::string& text);

// The absolute, normalised form of a path; the path need not exist. Empty
// when it cannot be formed.
std::string absolutePath(const std::string& path);
bool fileExists(const std::string& path);
// The directory of the running executable, without a trailing separator.
std::string executableDir();

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

}  // namespace os
}  // namespace zq
