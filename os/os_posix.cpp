#include "os/os.h"

#include <dlfcn.h>
#include <limits.h>
#include <cerrno>
#include <stdlib.h>
#include <unistd.h>

#include <vector>

namespace zq {
namespace os {

namespace {

// dlerror() reports once and then forgets, so the text of the last failure is
// kept per thread until it is asked for.
thread_local std::string lastError;

void rememberDlError() {
    const char* text = dlerror();
    lastError = text ? text : "";
}

std::string currentDirectory() {
    std::vector<char> buffer(PATH_MAX);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return std::string();
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

// Resolves "." and ".." and repeated separators without touching the file
// system, as the Windows runtime's _fullpath does.
std::string normalise(const std::string& absolute) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= absolute.size()) {
        size_t end = absolute.find('/', start);
        if (end == std::string::npos) end = absolute.size();
        std::string part = absolute.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string result;
    for (const std::string& part : parts) result += "/" + part;
    return result.empty() ? "/" : result;
}

}  // namespace

ModuleHandle loadLibrary(const std::string& path) {
    // dlopen would hand out the main program for an empty name.
    if (path.empty()) {
        lastError = "empty library path";
        return nullptr;
    }
    ModuleHandle module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) rememberDlError();
    return module;
}

void* findSymbol(ModuleHandle module, const char* name) {
    dlerror();
    void* address = dlsym(module, name);
    if (!address) rememberDlError();
    return address;
}

void freeLibrary(ModuleHandle module) {
    if (module) dlclose(module);
}

std::string lastErrorText() {
    return lastError;
}

std::string utf8ToAnsi(const std::string& text) {
    return text;
}

std::string ansiToUtf8(const std::string& text) {
    return text;
}

std::string absolutePath(const std::string& path) {
    if (path.empty()) return std::string();
    if (path[0] == '/') return normalise(path);
    std::string cwd = currentDirectory();
    if (cwd.empty()) return std::string();
    return normalise(cwd + "/" + path);
}

bool fileExists(const std::string& path) {
    return !path.empty() && access(path.c_str(), F_OK) == 0;
}

std::string executableDir() {
    std::vector<char> buffer(PATH_MAX + 1);
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return std::string();
    std::string exe(buffer.data(), static_cast<size_t>(n));
    size_t slash = exe.rfind('/');
    return slash == 0 ? "/" : exe.substr(0, slash);
}

char pathSeparator() {
    return '/';
}

std::string foldDirectoryCase(const std::string& directory) {
    return directory;
}

std::string workingDirectory() {
    return currentDirectory();
}

int lastErrorNumber() {
    return errno;
}

}  // namespace os
}  // namespace zq
