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

int passed = 0;
int failed = 0;

void check(bool ok, const char* what, const std::string& detail = std::string()) {
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    std::printf("FAILED: %s %s\n", what, detail.c_str());
}

std::string folderOfExe() {
    return zq::os::executableDir();
}

void loadsAPluginWhoseDependencyLiesBesideIt() {
    using zq::os::loadLibrary;
    // From another working directory, so only the plug-in's own folder can
    // supply its dependency.
    SetCurrentDirectoryA("C:\\");
    std::string plugin = folderOfExe() + "\\plugins\\plugin.dll";
    zq::os::ModuleHandle module = loadLibrary(plugin);
    check(module != nullptr, "load plugin.dll", zq::os::lastErrorText());
    auto value = reinterpret_cast<int (*)()>(zq::os::findSymbol(module, "pluginValue"));
    check(value && value() == 43, "call into the plug-in and its dependency");
    check(zq::os::findSymbol(module, "noSuchExport") == nullptr, "missing export");
    check(zq::os::lastErrorText() == "127", "missing export error number", zq::os::lastErrorText());
    zq::os::freeLibrary(module);

    check(loadLibrary(folderOfExe() + "\\plugins\\missing.dll") == nullptr, "missing library");
    check(zq::os::lastErrorText() == "126", "missing library error number", zq::os::lastErrorText());
    SetCurrentDirectoryA(folderOfExe().c_str());
}

void convertsBetweenUtf8AndTheAnsiCodePage() {
    const std::string utf8 = "caf\xC3\xA9 na\xC3\xAFve";  // café naïve
    std::string ansi = zq::os::utf8ToAnsi(utf8);
    check(GetACP() != 1252 || ansi == "caf\xE9 na\xEFve", "UTF-8 to code page 1252", ansi);
    check(zq::os::ansiToUtf8(ansi) == utf8, "round trip through the ANSI code page");
    check(zq::os::utf8ToAnsi("") == "" && zq::os::ansiToUtf8("plain") == "plain", "empty and ASCII");

    // A library under a non-ASCII folder loads through its ANSI path.
    std::wstring folder = L"C:\\zq-d\u00e9p\u00f4t";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring copy = folder + L"\\plugin.dll";
    std::wstring source = std::wstring(L"plugins\\plugin.dll");
    CopyFileW(source.c_str(), copy.c_str(), FALSE);
    CopyFileW(L"plugins\\plugindep.dll", (folder + L"\\plugindep.dll").c_str(), FALSE);
    std::string path = zq::os::utf8ToAnsi("C:\\zq-d\xC3\xA9p\xC3\xB4t\\plugin.dll");
    zq::os::ModuleHandle module = zq::os::loadLibrary(zq::os::absolutePath(path));
    check(module != nullptr, "load from a non-ASCII folder", zq::os::lastErrorText());
    zq::os::freeLibrary(module);
}

void formsPathsTheWindowsWay() {
    std::string exeDir = folderOfExe();
    check(!exeDir.empty() && exeDir.back() != '\\', "executable folder without a trailing separator", exeDir);
    check(zq::os::fileExists(exeDir + "\\platform_win_test.exe"), "the test program exists");
    check(!zq::os::fileExists(exeDir + "\\nothing-here.exe") && !zq::os::fileExists(""), "absent files");
    check(zq::os::absolutePath("a\\..\\b\\c.dll") == zq::os::workingDirectory() + "\\b\\c.dll", "absolute path",
          zq::os::absolutePath("a\\..\\b\\c.dll"));
    check(zq::os::pathSeparator() == '\\', "backslash separator");
    check(zq::os::foldDirectoryCase("c:\\Users\\Py\\lib") == "C:\\USERS\\PY\\LIB", "upper-cased directory");
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
    check(zq::os::lastErrorNumber() == 5, "last error number");
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
