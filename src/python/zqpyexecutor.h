// The Python executor a strategy obtains from its context. The interpreter
// work is the loader's (ZqPythonScriptLoader); the executor adds the host
// request for external scripts and remembers whether it started the
// interpreter, so that stopping the strategy shuts down only what it started.
#pragma once

#include <atomic>

#include "host/zqapibase.h"
#include "norq/ipythonexecutor.h"

class ZqPyExecutor final : public Norq::IPythonExecutor, public ZqApiBase {
public:
    Norq::ZqString execPy(const char* scriptFile, const char* execParams, const char* interpreterPath) override;
    int64_t registerPythonFile(const char* path) override;
    Norq::ZqString callPythonFunc(int64_t module, const char* function, const char* argument) override;
    // Operation 3 of the executor's table, after the interface's three; the
    // context calls it when the strategy stops. Shuts down the interpreter this executor
    // started. Every handle handed out is forgotten: calls with one give an
    // empty text and never reach the stopped interpreter, and the next
    // registerPythonFile starts a fresh one.
    virtual void releasePython();

private:
    // Set by a registration that started or found the interpreter, cleared
    // by releasePython; any strategy thread may do either.
    std::atomic<bool> ready_{false};
};
