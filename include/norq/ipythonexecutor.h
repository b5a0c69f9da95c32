// The strategy's way to Python: it loads the strategy's Python files as
// modules of an interpreter running inside the host's process, calls their
// functions with one text argument, and has the host run an external Python
// script. Strategies obtain it from their context
// (IZqContext::getPythonExecutor), may keep the pointer for the life of the
// process and never delete it. Any thread may call it; calls into the
// interpreter take turns on its lock, and a Python function that releases
// that lock lets other calls run meanwhile. Failures never throw: they give
// an empty text or a zero handle and write one log line saying why. Texts
// are NUL-terminated UTF-8 and stay the caller's. The slot order is the
// binary interface: never reorder, insert or remove.
#pragma once

#include <cstdint>

#include "norq/zqstring.h"

namespace Norq {

// clang-format off
class IPythonExecutor {
public:
    // Asks the host to run the Python script `scriptFile`, with the text
    // `execParams` and under the interpreter at `interpreterPath` (either
    // may be null: none, the host's own). Returns the host's answer; empty
    // when `scriptFile` is null or empty (the host is not asked) or the host
    // refused.
    virtual ZqString execPy(const char* scriptFile, const char* execParams,
                            const char* interpreterPath) = 0;                      // 0
    // Loads the Python file at `path` as a module named after the file up to
    // its first dot, starting the interpreter on first use; the file's
    // directory joins the module search path. Registering a file again
    // reloads it from disk. Returns the module's handle for callPythonFunc,
    // or 0 when the interpreter does not start or the file is missing or
    // fails to import. Handles stay valid until the strategy stops; after
    // that, registering starts a fresh interpreter and hands out new ones.
    virtual int64_t registerPythonFile(const char* path) = 0;                       // 1
    // Calls the function `function` of the module `module`, with `argument`
    // as one str (no argument when null). A str result comes back as UTF-8,
    // a bytes result as it is. Anything else gives an empty text: another
    // result (None, a number), a raised exception, a str that is not valid
    // Unicode, an unknown function, or a handle that registerPythonFile did
    // not hand out since the strategy last stopped.
    virtual ZqString callPythonFunc(int64_t module, const char* function,
                                    const char* argument) = 0;                      // 2
};
// clang-format on

}  // namespace Norq
