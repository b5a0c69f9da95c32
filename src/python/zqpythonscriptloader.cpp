#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include "python/zqpythonscriptloader.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>

#include "norq/zqlog.h"
#include "os/os.h"
#include "zqloglib.h"
#include "zqscriptadapter.h"

namespace {

constexpr const char* kModuleTag = "ZqPythonScriptLoader";
constexpr const char* kSource = "zqpythonscriptloader";
constexpr int kDebug = 0;
constexpr int kInfo = 1;
constexpr int kError = 3;
constexpr int kImportRetries = 5;
// clang-format off
constexpr const char* kUnknownModule =
    "调用python函数失败，原因：未找到传入的模块，请确认是否在初始化函数中调用registerPythonFile函数注册了相应的python文件";
// clang-format on

// The platform's system modules, in load order; later ones may use earlier ones.
constexpr const char* kSystemModules[] = {
    "norq_struct",       "zqdatastruct",  "ZQSAPythonStructDef", "ZQSAJsonKeyDefine", "ZQSARequest",
    "zqstructdef",       "zqsysapi",      "ZQSAFuncImpl",        "ZQSADbAccess",      "ZQSACsvReaderImpl",
    "ZQSADbHandlerImpl", "ZQSACsvReader", "ZQSANotifyMsgParser", "norq_api",
};

// One printf-style record to the platform logger, at the caller's line.
#define LOADER_LOG(level, function, ...) \
    ZqLogLib::GetInstance().Log(level, kModuleTag, __LINE__, kSource, "ZqPythonScriptLoader::" function, __VA_ARGS__)

const char* orEmpty(const char* text) {
    return text ? text : "";
}

// Holds the interpreter lock for a scope. It takes the lock only when the
// calling thread does not hold it yet, so loader operations may nest; on the
// way in and out it hands the lock round once, letting other Python threads
// run before this one goes on.
// REQUIRES: the interpreter running.
class ScopedGil {
public:
    ScopedGil() {
        if (!PyGILState_Check()) {
            state_ = PyGILState_Ensure();
            acquired_ = true;
        }
        PyEval_RestoreThread(PyEval_SaveThread());
    }
    ~ScopedGil() {
        PyEval_RestoreThread(PyEval_SaveThread());
        if (acquired_) PyGILState_Release(state_);
    }
    ScopedGil(const ScopedGil&) = delete;
    ScopedGil& operator=(const ScopedGil&) = delete;

private:
    PyGILState_STATE state_ = PyGILState_UNLOCKED;
    bool acquired_ = false;
};

// Prints and clears the pending Python error, if any. PyErr_Print would end
// the host's process on SystemExit, so that one is only displayed.
// REQUIRES: the GIL held.
void printPythonError() {
    if (!PyErr_Occurred()) return;
    if (!PyErr_ExceptionMatches(PyExc_SystemExit)) {
        PyErr_Print();
        return;
    }
    PyObject* type = nullptr;
    PyObject* value = nullptr;
    PyObject* traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    PyErr_Display(type, value, traceback);
    Py_XDECREF(type);
    Py_XDECREF(value);
    Py_XDECREF(traceback);
}

// Runs one statement in __main__; 0 on success, -1 when it raised (already
// printed). REQUIRES: the GIL held.
int runStatement(const std::string& statement) {
    return PyRun_SimpleStringFlags(statement.c_str(), nullptr);
}

// A Python string literal holding `text` exactly. Paths and names are data:
// the plain form (r'...' for directories, '...' for names) is kept while it
// reads back as the same text; a quote, a control character, or a backslash
// where it would escape, would end or bend it, so such texts are spelt with
// escapes instead.
std::string pythonLiteral(const std::string& text, bool raw) {
    auto bends = [raw](unsigned char c) { return c == '\'' || c < 0x20 || c == 0x7f || (!raw && c == '\\'); };
    bool plain = std::none_of(text.begin(), text.end(), bends) && !(raw && !text.empty() && text.back() == '\\');
    if (plain) return (raw ? "r'" : "'") + text + "'";
    std::string literal = "'";
    for (unsigned char c : text) {
        if (c == '\'' || c == '\\') {
            literal += '\\';
            literal += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            literal += escaped;
        } else {
            literal += static_cast<char>(c);
        }
    }
    return literal + "'";
}

// A directory of the system's as the interpreter is given it: as UTF-8, in
// the case the system compares it in. Folding after the conversion leaves the
// bytes of multi-byte characters alone.
std::string directoryForPython(const std::string& systemDirectory) {
    return zq::os::foldDirectoryCase(zq::os::ansiToUtf8(systemDirectory));
}

}  // namespace

ZqPythonScriptLoader& ZqPythonScriptLoader::instance() {
    static ZqPythonScriptLoader loader;
    return loader;
}

bool ZqPythonScriptLoader::InitAdapter(const char* installPath, zq::HostServices* host) {
    {
        ReadLocker<RecursiveReadWriteLock> life(lifeLock_);
        if (initialized_) return true;
    }
    WriteLocker<RecursiveReadWriteLock> life(lifeLock_);
    if (initialized_) return true;
    LOADER_LOG(kInfo, "InitAdapter", "开始初始化Python解释器,python安装路径：%s", orEmpty(installPath));
    zq::IZqScriptAdapter* adapter = getScriptAdapter(0, 0);
    if (!adapter) return false;
    initialized_ = adapter->Init();
    if (!initialized_) return false;
    adapter->SetHostServices(host);
    return true;
}

bool ZqPythonScriptLoader::UninitAdapter() {
    // Waits for every operation inside the interpreter to leave it.
    WriteLocker<RecursiveReadWriteLock> life(lifeLock_);
    if (!initialized_) return true;
    LOADER_LOG(kInfo, "UninitAdapter", "开始卸载Python解释器");
    forgetModules();
    zq::IZqScriptAdapter* adapter = getScriptAdapter(0, 0);
    if (adapter) adapter->Uninit();
    LOADER_LOG(kInfo, "UninitAdapter", "Python解释器卸载完成");
    initialized_ = false;
    return true;
}

void ZqPythonScriptLoader::forgetModules() {
    QMap<QString, PyObject*> loaded;
    QHash<PyObject*, ModuleEntry> entries;
    {
        WriteLocker<ReadWriteLock> maps(mapLock_);
        loaded.swap(loadedModules_);
        entries.swap(moduleEntries_);
    }
    ScopedGil gil;
    for (PyObject* module : qAsConst(loaded)) Py_DECREF(module);
    for (const ModuleEntry& entry : qAsConst(entries)) Py_DECREF(entry.module);
}

bool ZqPythonScriptLoader::GetScriptFileDirAndModuleName(const char* scriptPath, std::string& directory,
                                                         std::string& moduleName) {
    const std::string path = orEmpty(scriptPath);
    if (path.size() <= 3) {
        LOADER_LOG(kError, "GetScriptFileDirAndModuleName", "传入脚本文件路径长度小于3，文件名:%s", path.c_str());
        return false;
    }
    const std::string absolute = zq::os::absolutePath(zq::os::utf8ToAnsi(path));
    if (!zq::os::fileExists(absolute)) {
        LOADER_LOG(kError, "GetScriptFileDirAndModuleName", "路径[%s]不存在", path.c_str());
        return false;
    }
    const char separator = zq::os::pathSeparator();
    const size_t cut = absolute.rfind(separator);
    std::string dir = cut == std::string::npos ? std::string() : absolute.substr(0, cut == 0 ? 1 : cut);
    std::string name = cut == std::string::npos ? absolute : absolute.substr(cut + 1);
    // A path naming a directory may end in a separator that the absolute
    // form dropped.
    if (path.back() == separator) name.clear();
    if (name.empty()) {
        LOADER_LOG(kError, "GetScriptFileDirAndModuleName", "解析模块名错误，模块名[%s]", name.c_str());
        return false;
    }
    const size_t dot = name.find('.');
    if (dot != std::string::npos && dot != 0) name.resize(dot);
    directory = directoryForPython(dir);
    moduleName = zq::os::ansiToUtf8(name);
    return true;
}

PyObject* ZqPythonScriptLoader::LoadScriptModule(const char* scriptPath, std::string& directory,
                                                 std::string& moduleName) {
    ReadLocker<RecursiveReadWriteLock> life(lifeLock_);
    if (!initialized_) {
        LOADER_LOG(kError, "LoadScriptModule", "加载脚本失败，原因：python解释器未启动，脚本文件路径：%s",
                   orEmpty(scriptPath));
        return nullptr;
    }
    ScopedGil gil;
    if (!GetScriptFileDirAndModuleName(scriptPath, directory, moduleName)) {
        LOADER_LOG(kError, "LoadScriptModule", "解析脚本路径失败,请注意检查脚本文件及路径是否正确, 脚本文件路径：%s",
                   orEmpty(scriptPath));
        return nullptr;
    }
    runStatement("import sys");
    runStatement("import os");
    const std::string executableDir = pythonLiteral(directoryForPython(zq::os::executableDir()), true);
    runStatement("sys.path.insert(0," + executableDir + ")");
    const std::string scriptDir = pythonLiteral(directory, true);
    if (runStatement("sys.path.insert(0," + scriptDir + ")") != 0) {
        LOADER_LOG(kError, "LoadScriptModule", "添加脚本文件夹路径失败,请注意检查脚本路径是否正确, 脚本文件夹路径：%s",
                   directory.c_str());
        return nullptr;
    }
    LoadSysFuncModules();
    const std::string backToExecutableDir = "os.chdir(" + executableDir + ")";
    runStatement(backToExecutableDir);
    LOADER_LOG(kDebug, "LoadScriptModule", "开始加载模块[%s]", moduleName.c_str());
    PyObject* module = LoadUserStragetyModule(moduleName);
    if (module) {
        runStatement(backToExecutableDir);
        return module;
    }
    LOADER_LOG(kError, "LoadScriptModule", "加载模块: %s 失败", moduleName.c_str());
    printPythonError();
    runStatement("sys.path.remove(" + scriptDir + ")");
    UnloadSysFuncModules();
    UnloadScriptModule(moduleName);
    return nullptr;
}

void ZqPythonScriptLoader::LoadSysFuncModules() {
    ReadLocker<RecursiveReadWriteLock> life(lifeLock_);
    if (!initialized_) return;
    ScopedGil gil;
    const std::string systemDir =
        pythonLiteral(directoryForPython(zq::os::executableDir() + zq::os::pathSeparator() + "DLLs"), true);
    runStatement("os.chdir(" + systemDir + ")");
    LOADER_LOG(kDebug, "LoadSysFuncModules", "cur dir:%s", zq::os::ansiToUtf8(zq::os::workingDirectory()).c_str());
    runStatement("sys.path.insert(0," + systemDir + ")");
    for (const char* name : kSystemModules) loadPythonModule(name);
}

bool ZqPythonScriptLoader::loadPythonModule(const std::string& name) {
    ReadLocker<RecursiveReadWriteLock> life(lifeLock_);
    if (!initialized_) return false;
    ScopedGil gil;
    LOADER_LOG(kDebug, "loadPythonModule", "开始加载模块[%s]", name.c_str());
    PyObject* module = PyImport_ImportModule(name.c_str());
    for (int retry = 1; !module && retry <= kImportRetries; ++retry) {
        LOADER_LOG(kError, "loadPythonModule", "加载模块: %s 失败,错误码：%d，尝试第[%d]次加载", name.c_str(),
                   zq::os::lastErrorNumber(), retry);
        printPythonError();
        // Other Python threads may run during the pause.
        PyThreadState* pausing = PyEval_SaveThread();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        PyEval_RestoreThread(pausing);
        module = PyImport_ImportModule(name.c_str());
    }
    if (!module) {
        printPythonError();
        return false;
    }
    Py_DECREF(module);  // sys.modules keeps it
    return true;
}

PyObject* ZqPythonScriptLoader::LoadUserStragetyModule(const std::string& name) {
    ReadLocker<RecursiveReadWriteLock> life(lifeLock_);
    if (!initialized_) return nullptr;
    const QString key = QString::fromStdString(name);
    try {
        ScopedGil gil;
        PyObject* previous = nullptr;
        {
            ReadLocker<ReadWriteLock> maps(mapLock_);
            previous = loadedModules_.value(key, nullptr);
            Py_XINCREF(previous);
        }
        // Imports run Python code, which may hand the GIL to other threads,
        // so they run outside mapLock_.
        PyObject* module = nullptr;
        if (previous) {
            LOADER_LOG(kDebug, "LoadUserStragetyModule", "重新加载模块：%s", name.c_str());
            module = PyImport_ReloadModule(previous);
            Py_DECREF(previous);
        } else {
            module = PyImport_ImportModule(name.c_str());
            LOADER_LOG(kDebug, "LoadUserStragetyModule", "加载模块：%s,%d", name.c_str(),
                       static_cast<int>(reinterpret_cast<intptr_t>(module)));
        }
        PyObject* replaced = nullptr;
        if (module) {
            // A module may have put another object in its place; that one
            // has no dictionary to call into.
            PyObject* dictionary = PyModule_Check(module) ? PyModule_GetDict(module) : nullptr;
            WriteLocker<ReadWriteLock> maps(mapLock_);
            PyObject*& stored = loadedModules_[key];
            if (stored != module) {
                replaced = stored;
                stored = module;
                Py_INCREF(module);
            }
            if (dictionary && !moduleEntries_.contains(module)) {
                moduleEntries_.insert(module, ModuleEntry{module, dictionary});
                Py_INCREF(module);
            }
        }
        // Dropping a reference may run Python code: outside mapLock_ too.
        Py_XDECREF(replaced);
        printPythonError();
        // The maps hold the module now.
        Py_XDECREF(module);
        return module;
    } catch (...) {
        LOADER_LOG(kError, "LoadUserStragetyModule", "加载模块[%s]异常", name.c_str());
        return nullptr;
    }
}

void ZqPythonScriptLoader::UnloadScriptModule(const std::string& name) {
    ReadLocker<RecursiveReadWriteLock> life(lifeLock_);
    if (!initialized_) return;
    ScopedGil gil;
    const std::string statement = "sys.modules.pop(" + pythonLiteral(name, false) + ")";
    const int result = runStatement(statement);
    printPythonError();
    LOADER_LOG(kDebug, "UnloadScriptModule", "卸载模块:%s, 返回值:%d, python 语句：%s", name.c_str(), result,
               statement.c_str());
    PyObject* dropped = nullptr;
    {
        WriteLocker<ReadWriteLock> maps(mapLock_);
        dropped = loadedModules_.take(QString::fromStdString(name));
    }
    Py_XDECREF(dropped);
}

void ZqPythonScriptLoader::UnloadSysFuncModules() {
    for (const char* name : kSystemModules) UnloadScriptModule(name);
}

std::string ZqPythonScriptLoader::CallPythonFunc(PyObject* module, const char* function, const char* argument) {
    constexpr const char* kFunction = "ZqPythonScriptLoader::CallPythonFunc";
    if (!module || !function) {
        Norq::ZqLog(kSource, __LINE__, kFunction).error() << "调用python函数失败，原因：传入参数为空指针";
        return std::string();
    }
    // Held until the call is over: the interpreter must not stop under it.
    ReadLocker<RecursiveReadWriteLock> life(lifeLock_);
    bool known = false;
    {
        ReadLocker<ReadWriteLock> maps(mapLock_);
        known = moduleEntries_.contains(module);
    }
    // Also every module after UninitAdapter: the entries went with the interpreter.
    if (!known) {
        Norq::ZqLog(kSource, __LINE__, kFunction).error() << kUnknownModule;
        return std::string();
    }
    ScopedGil gil;
    PyObject* callable = PyObject_GetAttrString(module, function);
    if (!callable) {
        PyErr_Clear();
        Norq::ZqLog(kSource, __LINE__, kFunction).error() << "调用python函数失败，原因：未找到被调用的函数";
        return std::string();
    }
    PyObject* result = argument ? PyObject_CallFunction(callable, "s", argument) : PyObject_CallNoArgs(callable);
    Py_DECREF(callable);
    std::string text;
    if (!result) {
        printPythonError();
        return text;
    }
    if (PyBytes_Check(result)) {
        text.assign(PyBytes_AS_STRING(result), static_cast<size_t>(PyBytes_GET_SIZE(result)));
    } else if (PyUnicode_Check(result)) {
        PyObject* encoded = PyUnicode_AsEncodedString(result, "utf-8", "strict");
        if (encoded) {
            text.assign(PyBytes_AS_STRING(encoded), static_cast<size_t>(PyBytes_GET_SIZE(encoded)));
            Py_DECREF(encoded);
        } else {
            PyErr_Clear();
            Norq::ZqLog(kSource, __LINE__, kFunction).error() << "调用python函数返回值非法";
        }
    }
    Py_DECREF(result);
    return text;
}
