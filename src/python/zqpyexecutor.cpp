#include "python/zqpyexecutor.h"

#include <QJsonObject>
#include <QString>
#include <string>

#include "norq/zqlog.h"
#include "python/zqpythonscriptloader.h"
#include "zq/hostcodes.h"

namespace {

constexpr const char* kSource = "zqpyexecutor";

}  // namespace

Norq::ZqString ZqPyExecutor::execPy(const char* scriptFile, const char* execParams, const char* interpreterPath) {
    if (!scriptFile || !*scriptFile) {
        Norq::ZqLog(kSource, __LINE__, "ZqPyExecutor::execPy").error() << "执行外部脚本失败，原因：输入脚本文件为空";
        return Norq::ZqString();
    }
    QJsonObject params;
    params.insert("file_path", QString::fromUtf8(scriptFile));
    if (execParams) params.insert("file_exec_params", QString::fromUtf8(execParams));
    if (interpreterPath) params.insert("python_interpreter_path", QString::fromUtf8(interpreterPath));
    HostReply reply = channel().request(zq::kCodeExecPython, params);
    return reply.usable() ? Norq::ZqString(reply.text.c_str()) : Norq::ZqString();
}

int64_t ZqPyExecutor::registerPythonFile(const char* path) {
    ZqPythonScriptLoader& loader = ZqPythonScriptLoader::instance();
    // Starts the interpreter unless it runs, also after releasePython.
    if (!loader.InitAdapter(nullptr, hostServices())) {
        Norq::ZqLog(kSource, __LINE__, "ZqPyExecutor::registerPythonFile").error()
            << "注册python文件失败，原因：python解释器初始化失败";
        return 0;
    }
    ready_ = true;
    std::string directory;
    std::string moduleName;
    return reinterpret_cast<int64_t>(loader.LoadScriptModule(path, directory, moduleName));
}

Norq::ZqString ZqPyExecutor::callPythonFunc(int64_t module, const char* function, const char* argument) {
    // The handle is only a key: the loader looks it up before touching it.
    std::string text =
        ZqPythonScriptLoader::instance().CallPythonFunc(reinterpret_cast<PyObject*>(module), function, argument);
    return Norq::ZqString(text.c_str());
}

void ZqPyExecutor::releasePython() {
    if (ready_.exchange(false)) ZqPythonScriptLoader::instance().UninitAdapter();
}
