// The Python executor as a strategy uses it: real files in a temporary folder,
// loaded, called, reloaded and unloaded, seen through the loader's log records.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <thread>

#include "adapterfixture.h"
#include "logcapture.h"
#include "zq/hostcodes.h"

namespace {

constexpr int kDebug = 0, kInfo = 1, kError = 3;
// clang-format off
const std::string kUnknownModule =
    "调用python函数失败，原因：未找到传入的模块，请确认是否在初始化函数中调用registerPythonFile函数注册了相应的python文件";
// clang-format on

// The executor of a running test strategy; stopping the strategy at the end
// shuts the interpreter down.
class PythonTest : public fake::AdapterTest {
protected:
    void SetUp() override {
        AdapterTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        Norq::IZqContext* context = runTestStrategy();
        ASSERT_NE(context, nullptr);
        python = context->getPythonExecutor();
    }
    void TearDown() override {
        adapter->StopStrategy();
        AdapterTest::TearDown();
    }

    // Writes `text` to `name` inside the temporary folder and registers it.
    int64_t load(const std::string& name, const std::string& text) {
        QString path = folder.filePath(QString::fromStdString(name));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name;
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        return python->registerPythonFile(path.toStdString().c_str());
    }
    std::string call(int64_t module, const char* function, const char* argument = nullptr) {
        return python->callPythonFunc(module, function, argument).str();
    }
    // The texts the loader's `operation` logged at `level`.
    std::vector<std::string> loaderTexts(const std::string& operation, int level) const {
        std::vector<std::string> texts;
        for (const fake::PlatformRecord& r : logs.platform) {
            if (r.module == "ZqPythonScriptLoader" && r.file == "zqpythonscriptloader" &&
                r.function == "ZqPythonScriptLoader::" + operation && r.level == level)
                texts.push_back(r.text);
        }
        return texts;
    }
    long loaderCount(const std::string& operation, int level, const std::string& text) const {
        const std::vector<std::string> texts = loaderTexts(operation, level);
        return std::count(texts.begin(), texts.end(), text);
    }

    QTemporaryDir folder{QDir::tempPath() + "/zqpython-XXXXXX"};
    fake::LogCapture logs;
    Norq::IPythonExecutor* python = nullptr;
};

TEST_F(PythonTest, StrAndBytesResultsComeBackAsTextAndEverythingElseEmpty) {
    int64_t module = load("calls.py", R"py(import sys
def echo(text="(none)"): return text
def raw(text): return b"\x01bytes"
def leaves(text): sys.exit(3)
def surrogate(text): return "\udc80"
)py");
    ASSERT_NE(module, 0);
    // A module that puts another object in its place has no functions to call.
    int64_t replaced = load("replaced.py", "import sys\nsys.modules[__name__] = 42\n");
    const std::tuple<int64_t, const char*, const char*, std::string, std::string> cases[] = {
        {module, "echo", "策略", "策略", ""},
        {module, "echo", nullptr, "(none)", ""},
        {module, "raw", "x", "\001bytes", ""},
        {module, "leaves", "x", "", ""},  // SystemExit must not end the host
        {module, "surrogate", "x", "", "调用python函数返回值非法"},
        {module, "missing", "x", "", "调用python函数失败，原因：未找到被调用的函数"},
        {module, nullptr, "x", "", "调用python函数失败，原因：传入参数为空指针"},
        {0x1234, "echo", "x", "", kUnknownModule},
        {replaced, "echo", "x", "", kUnknownModule},
    };
    for (const auto& [handle, function, argument, result, error] : cases) {
        host.clear();
        EXPECT_EQ(call(handle, function, argument), result) << (function ? function : "(null)");
        std::string logged;
        for (const fake::HostLogLine& line : host.logs) logged += line.text;
        EXPECT_EQ(logged, error);
    }
}

// The directory reaches the search path exactly as it is spelt, however it
// would read as Python code.
TEST_F(PythonTest, TheModuleIsNamedAfterItsFileAndPathsAreDataNotCode) {
    const std::string probe =
        "import builtins, os\n"
        "def where(_=None):\n"
        "    return __name__ + ' in ' + os.path.dirname(__file__) + '|' + str(getattr(builtins, 'injected', 0))\n";
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"plain dir/alpha.py", "alpha", true},
        {"beta.v2.py", "beta", false},        // there is no beta.py to import
        {".hidden.py", ".hidden.py", false},  // kept whole, a relative name
        {"ends in\\/q2.py", "q2", true},
        {"line\nbreak/q3.py", "q3", true},
        {"x'); import builtins; builtins.injected = 1; ('/q4.py", "q4", true},
    };
    for (const auto& [file, name, loads] : cases) {
        SCOPED_TRACE(file);
        int64_t module = load(file, probe);
        EXPECT_EQ(module != 0, loads);
        EXPECT_EQ(loaderCount("LoadScriptModule", kDebug, "开始加载模块[" + name + "]"), 1);
        if (!loads) continue;
        const std::string directory = folder.path().toStdString() + "/" + file.substr(0, file.rfind('/'));
        EXPECT_EQ(call(module, "where"), name + " in " + directory + "|0");
    }
}

TEST_F(PythonTest, PathsTooShortOrNamingNoFileAreRefused) {
    load("sub/x.py", "");
    const std::string missing = folder.filePath("missing.py").toStdString();
    const std::string directory = folder.filePath("sub/").toStdString();
    const std::pair<const char*, std::string> cases[] = {
        {"a.p", "传入脚本文件路径长度小于3，文件名:a.p"},
        {missing.c_str(), "路径[" + missing + "]不存在"},
        {directory.c_str(), "解析模块名错误，模块名[]"},
    };
    for (const auto& [path, error] : cases) {
        SCOPED_TRACE(error);
        logs.platform.clear();
        EXPECT_EQ(python->registerPythonFile(path), 0);
        EXPECT_EQ(loaderTexts("GetScriptFileDirAndModuleName", kError), std::vector<std::string>{error});
        EXPECT_EQ(loaderTexts("LoadScriptModule", kError),
                  std::vector<std::string>{"解析脚本路径失败,请注意检查脚本文件及路径是否正确, 脚本文件路径：" +
                                           std::string(path)});
    }
}

TEST_F(PythonTest, AFileThatFailsToImportIsUnloadedAndTheNextOneStillLoads) {
    EXPECT_EQ(load("bad'one.py", "raise ValueError\n"), 0);
    EXPECT_EQ(loaderTexts("LoadScriptModule", kError), std::vector<std::string>{"加载模块: bad'one 失败"});
    // A failed import leaves nothing in sys.modules to pop; the quote is escaped.
    for (const char* unloaded : {R"(卸载模块:bad'one, 返回值:-1, python 语句：sys.modules.pop('bad\'one'))",
                                 "卸载模块:norq_api, 返回值:0, python 语句：sys.modules.pop('norq_api')"})
        EXPECT_EQ(loaderCount("UnloadScriptModule", kDebug, unloaded), 1) << unloaded;
    EXPECT_EQ(call(load("mended.py", "def state(_=None): return 'fine'\n"), "state"), "fine");
}

TEST_F(PythonTest, TwoThreadsCallIntoPythonAtOnce) {
    int64_t module = load("meeting.py", R"py(import threading
both = threading.Barrier(2, timeout=120)
def meet(name):
    both.wait()  # passes only while the other thread is inside Python too
    return name + " met"
def square(text): return str(int(text) ** 2)
)py");
    ASSERT_NE(module, 0);
    std::string met[2];
    int wrong[2] = {0, 0};
    auto work = [&](int n) {
        met[n] = call(module, "meet", n == 0 ? "a" : "b");
        for (int i = 0; i < 200; ++i)
            wrong[n] += call(module, "square", std::to_string(i).c_str()) != std::to_string(i * i);
    };
    std::thread other(work, 1);
    work(0);
    other.join();
    EXPECT_EQ(met[0] + ", " + met[1] + ", " + std::to_string(wrong[0] + wrong[1]) + " wrong", "a met, b met, 0 wrong");
    EXPECT_EQ(call(module, "square", "12"), "144") << "no thread kept the interpreter lock";
}

// The interpreter starts once per run of the strategy, however many files it
// registers.
TEST_F(PythonTest, RegisteringAgainReloadsAndStoppingForgetsTheHandles) {
    int64_t first = load("kept.py", "def version(_=None): return 'one'\n");
    EXPECT_EQ(call(first, "version"), "one");
    // Another length, so that no cached byte code passes for the new text.
    int64_t second = load("kept.py", "def version(_=None): return 'second'\n");
    EXPECT_EQ(call(second, "version"), "second");
    EXPECT_EQ(loaderCount("LoadUserStragetyModule", kDebug, "重新加载模块：kept"), 1);
    ASSERT_EQ(adapter->StopStrategy(), 0);
    EXPECT_EQ(loaderTexts("UninitAdapter", kInfo),
              (std::vector<std::string>{"开始卸载Python解释器", "Python解释器卸载完成"}));
    host.clear();
    EXPECT_EQ(call(second, "version"), "");
    EXPECT_EQ(host.logLines(), std::vector<std::string>{
                                   "3 zqpythonscriptloader ZqPythonScriptLoader::CallPythonFunc: " + kUnknownModule});
    EXPECT_EQ(call(load("kept.py", "def version(_=None): return 'one'\n"), "version"), "one");
    EXPECT_EQ(loaderCount("InitAdapter", kInfo, "开始初始化Python解释器,python安装路径："), 2);
}

TEST_F(PythonTest, ExternalScriptsAreTheHostsToRun) {
    host.clear();
    host.answers[zq::kCodeExecPython] = {0, 0, std::string("ran"), 0};
    EXPECT_STREQ(python->execPy("/s/run.py", "-v", "/usr/bin/python3").str(), "ran");
    host.answers[zq::kCodeExecPython].code = 1;
    EXPECT_STREQ(python->execPy("/s/run.py", nullptr, nullptr).str(), "");
    EXPECT_STREQ(python->execPy("", "x", "y").str(), "");
    EXPECT_STREQ(python->execPy(nullptr, "x", "y").str(), "");
    std::vector<std::string> sent;
    for (const fake::HostCall& c : host.callsTo(0)) sent.push_back(std::to_string(c.numbers.at(0)) + c.texts.at(0));
    EXPECT_EQ(
        sent,
        (std::vector<std::string>{
            R"(2101{"params":{"file_exec_params":"-v","file_path":"/s/run.py","python_interpreter_path":"/usr/bin/python3"}})",
            R"(2101{"params":{"file_path":"/s/run.py"}})"}));
    ASSERT_EQ(host.logs.size(), 2u);
    EXPECT_EQ(host.logLines()[1], "3 zqpyexecutor ZqPyExecutor::execPy: 执行外部脚本失败，原因：输入脚本文件为空");
}

}  // namespace
