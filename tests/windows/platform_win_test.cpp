// The Win32 side of the platform layer, run for real under Windows or Wine:
// loading with the altered search path, the last-error numbers, code-page
// conversion, paths and the environment. Prints "N passed, N failed".
#include <windows.h>

#include <cstdio>
#include <string>

#include "exposeexports.h"
#include "hostos.h"
#include "os/os.h"

namespace {

using namespace zq::os;

int passed = 0, failed = 0;

void check(bool ok, const char* what, const std::string& detail = std::string()) {
    ++(ok ? passed : failed);
    if (!ok) std::printf("FAILED: %s %s\n", what, detail.c_str());
}

void loadsAPluginWhoseDependencyLiesBesideIt() {
    // From another working directory, so only the plug-in's own folder can
    // supply its dependency.
    SetCurrentDirectoryA("C:\\");
    ModuleHandle module = loadLibrary(executableDir() + "\\plugins\\plugin.dll");
    check(module != nullptr, "load plugin.dll", lastErrorText());
    auto value = reinterpret_cast<int (*)()>(findSymbol(module, "pluginValue"));
    check(value && value() == 43, "call into the plug-in and its dependency");
    check(findSymbol(module, "noSuchExport") == nullptr, "missing export");
    check(lastErrorText() == "127", "missing export error number", lastErrorText());
    freeLibrary(module);

    check(loadLibrary(executableDir() + "\\plugins\\missing.dll") == nullptr, "missing library");
    check(lastErrorText() == "126", "missing library error number", lastErrorText());
    SetCurrentDirectoryA(executableDir().c_str());
}

void convertsBetweenUtf8AndTheAnsiCodePage() {
    const std::string utf8 = "caf\xC3\xA9 na\xC3\xAFve";  // café naïve
    std::string ansi = utf8ToAnsi(utf8);
    check(GetACP() != 1252 || ansi == "caf\xE9 na\xEFve", "UTF-8 to code page 1252", ansi);
    check(ansiToUtf8(ansi) == utf8, "round trip through the ANSI code page");
    check(utf8ToAnsi("") == "" && ansiToUtf8("plain") == "plain", "empty and ASCII");

    // A library under a non-ASCII folder loads through its ANSI path.
    std::wstring folder = L"C:\\zq-d\u00e9p\u00f4t";
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW(L"plugins\\plugin.dll", (folder + L"\\plugin.dll").c_str(), FALSE);
    CopyFileW(L"plugins\\plugindep.dll", (folder + L"\\plugindep.dll").c_str(), FALSE);
    ModuleHandle module = loadLibrary(absolutePath(utf8ToAnsi("C:\\zq-d\xC3\xA9p\xC3\xB4t\\plugin.dll")));
    check(module != nullptr, "load from a non-ASCII folder", lastErrorText());
    freeLibrary(module);
}

void formsPathsTheWindowsWay() {
    std::string exeDir = executableDir();
    check(!exeDir.empty() && exeDir.back() != '\\', "executable folder without a trailing separator", exeDir);
    check(fileExists(exeDir + "\\platform_win_test.exe"), "the test program exists");
    check(!fileExists(exeDir + "\\nothing-here.exe") && !fileExists(""), "absent files");
    check(absolutePath("a\\..\\b\\c.dll") == workingDirectory() + "\\b\\c.dll", "absolute path",
          absolutePath("a\\..\\b\\c.dll"));
    check(pathSeparator() == '\\', "backslash separator");
    check(foldDirectoryCase("c:\\Users\\Py\\lib") == "C:\\USERS\\PY\\LIB", "upper-cased directory");
    check(exposeLibraryExports(nullptr), "nothing to expose on Windows");
}

void setsEnvironmentDefaultsOnly() {
    zqhost::os::setEnvironmentDefault("ZQ_WIN_TEST", "first");
    zqhost::os::setEnvironmentDefault("ZQ_WIN_TEST", "second");
    size_t length = 0;
    char buffer[32] = {};
    getenv_s(&length, buffer, sizeof buffer, "ZQ_WIN_TEST");
    check(std::string(buffer) == "first", "an environment default does not overwrite", buffer);
    SetLastError(5);
    check(lastErrorNumber() == 5, "last error number");
}

}  // namespace

int main() {
    loadsAPluginWhoseDependencyLiesBesideIt();
    convertsBetweenUtf8AndTheAnsiCodePage();
    formsPathsTheWindowsWay();
    setsEnvironmentDefaultsOnly();
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
