#include "os/os.h"

#include <io.h>
#include <stdlib.h>
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zq {
namespace os {

namespace {

thread_local DWORD lastError = 0;

std::wstring toWide(const std::string& text, UINT codePage) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

std::string fromWide(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) return std::string();
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n, nullptr, nullptr);
    return text;
}

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

std::string utf8ToAnsi(const std::string& text) {
    return fromWide(toWide(text, CP_UTF8), CP_ACP);
}

std::string ansiToUtf8(const std::string& text) {
    return fromWide(toWide(text, CP_ACP), CP_UTF8);
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

char pathSeparator() {
    return '\\';
}

std::string foldDirectoryCase(const std::string& directory) {
    std::string folded = directory;
    for (char& c : folded) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return folded;
}

std::string workingDirectory() {
    DWORD n = GetCurrentDirectoryA(0, nullptr);
    if (n == 0) return std::string();
    std::vector<char> buffer(n);
    n = GetCurrentDirectoryA(n, buffer.data());
    return std::string(buffer.data(), n);
}

int lastErrorNumber() {
    return static_cast<int>(GetLastError());
}

}  // namespace os
}  // namespace zq
