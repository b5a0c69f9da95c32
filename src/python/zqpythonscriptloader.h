// Runs Python inside the host process for native strategies: starts and stops
// the interpreter through the platform's script adapter, loads the
// platform's fourteen system modules and a strategy's own files as modules
// (loading a file again reloads it), unloads modules, and calls a module's
// function with one text argument. One per process (instance(), created on
// first use, destroyed at exit); ZqPyExecutor is its only user.
//
// Threads: any thread may call any operation. The interpreter is entered
// only with its lock (the GIL) held. lifeLock_ keeps the interpreter from
// being stopped under an operation that is inside it: InitAdapter and
// UninitAdapter take it for writing, every operation that enters the
// interpreter takes it for reading and does nothing once UninitAdapter has
// run, until InitAdapter runs again. mapLock_ guards the two maps; it is only
// ever held for the map operations themselves, never across Python code, so
// a thread holding the GIL may wait for it. Order: lifeLock_, then the GIL,
// then mapLock_.
//
// Modules: the loader holds one reference to each module in each map. A
// module handed out stays callable until UninitAdapter, even after it was
// unloaded or reloaded by name; after UninitAdapter no module is known.
#pragma once

#include <QHash>
#include <QMap>
#include <QString>
#include <string>

#include "host/qtreadwritelock.h"
#include "zq/hostservices.h"

// The interpreter's object type, declared here so that <Python.h> is
// included first wherever it is used, as it requires.
typedef struct _object PyObject;

class ZqPythonScriptLoader {
public:
    static ZqPythonScriptLoader& instance();

    // Starts the interpreter unless it runs, and hands it the host's
    // services. `installPath` (may be null) is only logged: the platform's
    // adapter knows its interpreter. False when the interpreter did not start.
    bool InitAdapter(const char* installPath, zq::HostServices* host);
    // Shuts the interpreter down, forgetting every module. Always true.
    bool UninitAdapter();

    // Loads the file at `scriptPath` (UTF-8) as a module: puts its directory
    // and the system modules' on the search path, loads the system modules,
    // then the file (reloading it when it was loaded before). Stores the
    // directory and module name (UTF-8) in the out arguments. Returns the
    // module, owned by the loader, or null with the reason logged.
    PyObject* LoadScriptModule(const char* scriptPath, std::string& directory, std::string& moduleName);
    // Splits a script path into its directory and its module name (the file
    // name up to its first dot, unless the dot leads). False, with the reason
    // logged, for a path of three bytes or fewer, a missing file or an empty
    // file name.
    bool GetScriptFileDirAndModuleName(const char* scriptPath, std::string& directory, std::string& moduleName);
    // Imports the fourteen system modules in their order from DLLs/ beside
    // the executable, trying each up to five more times; a failure does not
    // stop the others. REQUIRES: `sys` and `os` imported in __main__, as
    // LoadScriptModule does first.
    void LoadSysFuncModules();
    // Imports one module by name, with up to five retries. The module is not
    // recorded in the maps.
    bool loadPythonModule(const std::string& name);
    // Imports the module, or reloads it when the name was loaded before, and
    // records it. Null when that fails.
    PyObject* LoadUserStragetyModule(const std::string& name);  // spelling fixed by the platform
    // Drops the module from sys.modules and forgets the name; modules handed
    // out stay callable.
    void UnloadScriptModule(const std::string& name);
    void UnloadSysFuncModules();

    // Calls `function` of a module this loader handed out, with `argument`
    // as one str (no argument when null). A str result gives its UTF-8
    // text, a bytes result its bytes; everything else, a raised exception
    // included, gives an empty text, logged where the module, the function
    // or a str result's encoding is at fault.
    std::string CallPythonFunc(PyObject* module, const char* function, const char* argument);

private:
    struct ModuleEntry {
        PyObject* module;
        PyObject* dictionary;  // the module's own, kept alive by it
    };

    ZqPythonScriptLoader() = default;
    ZqPythonScriptLoader(const ZqPythonScriptLoader&) = delete;
    ZqPythonScriptLoader& operator=(const ZqPythonScriptLoader&) = delete;

    // REQUIRES: the interpreter running.
    void forgetModules() REQUIRES(lifeLock_);

    // Recursive: the loading operations call each other, and each may be
    // called on its own.
    RecursiveReadWriteLock lifeLock_;
    bool initialized_ GUARDED_BY(lifeLock_) = false;

    ReadWriteLock mapLock_;
    QMap<QString, PyObject*> loadedModules_ GUARDED_BY(mapLock_);
    QHash<PyObject*, ModuleEntry> moduleEntries_ GUARDED_BY(mapLock_);
};
