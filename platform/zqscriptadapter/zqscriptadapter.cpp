#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include "zqscriptadapter.h"

#include <cstdio>
#include <mutex>

#include "exposeexports.h"

namespace {

class PythonScriptAdapter final : public zq::IZqScriptAdapter {
public:
    void SetHostServices(zq::HostServices* host) override {
        std::lock_guard<std::mutex> guard(mutex_);
        host_ = host;
    }

    bool Init() override {
        std::lock_guard<std::mutex> guard(mutex_);
        if (mainThread_) return true;
        // Extension modules resolve the interpreter's names globally, but
        // this library and the interpreter may have been loaded in a scope
        // of their own.
        exposeLibraryExports(reinterpret_cast<const void*>(&Py_InitializeFromConfig));
        PyConfig config;
        PyConfig_InitPythonConfig(&config);
        // The host owns the process: its signals, its arguments.
        config.install_signal_handlers = 0;
        config.parse_argv = 0;
        PyStatus status = Py_InitializeFromConfig(&config);
        PyConfig_Clear(&config);
        if (PyStatus_Exception(status)) {
            std::fprintf(stderr, "zqscriptadapter: the Python interpreter did not start: %s\n",
                         status.err_msg ? status.err_msg : "no reason given");
            return false;
        }
        mainThread_ = PyEval_SaveThread();
        return true;
    }

    bool Uninit() override {
        std::lock_guard<std::mutex> guard(mutex_);
        if (!mainThread_) return true;
        PyEval_RestoreThread(mainThread_);
        mainThread_ = nullptr;
        return Py_FinalizeEx() == 0;
    }

    int32_t GetStrategyParams(const char*, std::string&) override { return zq::kResultNoStrategy; }
    int32_t RunStrategy(const char*, const char*) override { return zq::kResultNoStrategy; }
    int32_t StopStrategy() override { return zq::kResultNoStrategy; }
    int32_t Reserved6() override { return zq::kResultOk; }
    int32_t Reserved7() override { return zq::kResultOk; }
    int32_t OnNotifyMessage(const zq::NotifyMessage*) override { return zq::kResultNoStrategy; }
    int32_t Reserved9() override { return zq::kResultOk; }
    int32_t ModifyStragetyRunningParams(const char*, int32_t) override { return zq::kResultNoStrategy; }
    std::string GetInfoText() override { return "python"; }
    void ForwardToStrategy(intptr_t) override {}
    void Reserved13() override {}

private:
    std::mutex mutex_;
    zq::HostServices* host_ = nullptr;  // protected by mutex_
    // The thread state Py_InitializeFromConfig made, parked while the
    // interpreter runs; null while it does not. Protected by mutex_.
    PyThreadState* mainThread_ = nullptr;
};

PythonScriptAdapter adapter;

}  // namespace

extern "C" ZQSCRIPTADAPTER_EXPORT zq::IZqScriptAdapter* getScriptAdapter(int32_t, int32_t) {
    return &adapter;
}
