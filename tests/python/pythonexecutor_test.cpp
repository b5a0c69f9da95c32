// The Python executor as a strategy uses it through its context: real Python
// files in a temporary folder, loaded, called, reloaded and unloaded, seen
// through the loader's log records and the host's log lines.
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

constexpr int kDebug = 0;
constexpr int kInfo = 1;
constexpr int kError = 3;
const std::string kStarting = "开始初始化Python解释器,python安装路径：";
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

    // Writes `text` to `name` inside the temporary folder; returns the path.
    std::string write(const std::string& name, const std::string& text) {
        QString path = folder.filePath(QString::fromStdString(name));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name;
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path.toStdString();
    }
    int64_t load(const std::string& name, const std::string& text) {
        return python->registerPythonFile(write(name, text).c_str());
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
        std::vector<std::string> texts = loaderTexts(operation, level);
        return std::count(texts.begin(), texts.end(), text);
    }

    QTemporaryDir folder{QDir::tempPath() + "/zqpython-XXXXXX"};
    fake::LogCapture logs;
    Norq::IPythonExecutor* python = nullptr;
};

TEST_F(PythonTest, StrAndBytesResultsComeBackAsTextAndEverythingElseEmpty) {
    int64_t module = load("calls.py", R"py(import sys
def echo(text="(none)"): return text
def chinese(text): return "策略" + text
def raw(text): return b"\x01bytes"
def nothing(text): return None
def number(text): return 42
def fails(text): raise ValueError("no")
def leaves(text): sys.exit(3)
def surrogate(text): return "\udc80"
not_callable = 3
)py");
    ASSERT_NE(module, 0);
    // A module that puts another object in its place has no functions to call.
    int64_t replaced = load("replaced.py", "import sys\nsys.modules[__name__] = 42\n");
    struct Case {
        int64_t module;
        const char* function;
        const char* argument;
        std::string result;
        std::string error;  // the one host log line, if any
    } cases[] = {
        {module, "echo", "abc", "abc", ""},
        {module, "echo", nullptr, "(none)", ""},
        {module, "chinese", "甲", "策略甲", ""},
        {module, "raw", "x", "\001bytes", ""},
        {module, "nothing", "x", "", ""},
        {module, "number", "x", "", ""},
        {module, "fails", "x", "", ""},
        {module, "leaves", "x", "", ""},  // SystemExit must not end the host
        {module, "not_callable", "x", "", ""},
        {module, "echo", "\xff", "", ""},  // not UTF-8: no str to pass
        {module, "surrogate", "x", "", "调用python函数返回值非法"},
        {module, "missing", "x", "", "调用python函数失败，原因：未找到被调用的函数"},
        {module, nullptr, "x", "", "调用python函数失败，原因：传入参数为空指针"},
        {0, "echo", "x", "", "调用python函数失败，原因：传入参数为空指针"},
        {0x1234, "echo", "x", "", kUnknownModule},
        {module + 16, "echo", "x", "", kUnknownModule},
        {replaced, "echo", "x", "", kUnknownModule},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.function ? c.function : "(null)") + " " + c.error);
        host.clear();
        EXPECT_EQ(call(c.module, c.function, c.argument), c.result);
        ASSERT_EQ(host.logs.size(), c.error.empty() ? 0u : 1u);
        if (c.error.empty()) continue;
        const fake::HostLogLine& line = host.logs[0];
        EXPECT_EQ(std::make_tuple(line.level, line.file, line.function, line.text),
                  std::make_tuple(kError, std::string("zqpythonscriptloader"),
                                  std::string("ZqPythonScriptLoader::CallPythonFunc"), c.error));
    }
}

TEST_F(PythonTest, TheModuleIsNamedAfterItsFileAndPathsAreDataNotCode) {
    const std::string probe =
        "import builtins, os\n"
        "def where(_=None):\n"
        "    return __name__ + ' in ' + os.path.dirname(__file__) + '|' + str(getattr(builtins, 'injected', 0))\n";
    // clang-format off
    struct Case {
        std::string file;
        std::string module;
        bool loads;
    } cases[] = {
        {"alpha.py", "alpha", true},
        {"beta.v2.py", "beta", false},        // there is no beta.py to import
        {".hidden.py", ".hidden.py", false},  // kept whole, a relative name
        {"plain", "plain", false},            // no .py, nothing to import
        {"it's/q0.py", "q0", true},
        {"back\\slash/q1.py", "q1", true},
        {"ends in\\/q2.py", "q2", true},
        {"line\nbreak/q3.py", "q3", true},
        {"x'); import builtins; builtins.injected = 1; ('/q4.py", "q4", true},
        {"plain dir/it's.py", "it's", true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        int64_t module = load(c.file, probe);
        EXPECT_EQ(module != 0, c.loads);
        EXPECT_EQ(loaderCount("LoadScriptModule", kDebug, "开始加载模块[" + c.module + "]"), 1);
        // The directory reaches the search path exactly as it is spelt.
        const size_t slash = c.file.rfind('/');
        std::string directory = folder.path().toStdString();
        if (slash != std::string::npos) directory += "/" + c.file.substr(0, slash);
        if (c.loads) {
            EXPECT_EQ(call(module, "where"), c.module + " in " + directory + "|0");
        }
    }
}

// /tmp stands for a file at the root: Python imports it as a namespace package.
TEST_F(PythonTest, AModuleAtTheRootIsLookedForInTheRoot) {
    int64_t probe = load("path.py", "import sys\ndef searched(_=None): return str(sys.path.count('/'))\n");
    EXPECT_NE(python->registerPythonFile("/tmp"), 0);
    EXPECT_EQ(call(probe, "searched"), "1");
}

TEST_F(PythonTest, PathsTooShortOrNamingNoFileAreRefused) {
    write("sub/x.py", "");
    const std::string missing = folder.filePath("missing.py").toStdString();
    const std::string directory = folder.filePath("sub/").toStdString();
    // clang-format off
    struct Case {
        const char* path;
        std::string error;
    } cases[] = {
        {nullptr, "传入脚本文件路径长度小于3，文件名:"},
        {"", "传入脚本文件路径长度小于3，文件名:"},
        {"a.p", "传入脚本文件路径长度小于3，文件名:a.p"},
        {missing.c_str(), "路径[" + missing + "]不存在"},
        {directory.c_str(), "解析模块名错误，模块名[]"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        logs.platform.clear();
        EXPECT_EQ(python->registerPythonFile(c.path), 0);
        EXPECT_EQ(loaderTexts("GetScriptFileDirAndModuleName", kError), std::vector<std::string>{c.error});
        EXPECT_EQ(loaderTexts("LoadScriptModule", kError),
                  std::vector<std::string>{"解析脚本路径失败,请注意检查脚本文件及路径是否正确, 脚本文件路径：" +
                                           std::string(c.path ? c.path : "")});
    }
}

TEST_F(PythonTest, AFileThatFailsToImportIsUnloadedAndTheNextOneStillLoads) {
    struct Case {
        std::string file;
        std::string text;
        std::string module;
        std::string unload;  // the statement that drops it again
    } cases[] = {
        {"raises.py", "raise RuntimeError('at import')\n", "raises", "sys.modules.pop('raises')"},
        {"syntax.py", "def broken(:\n", "syntax", "sys.modules.pop('syntax')"},
        {"exits.py", "import sys\nsys.exit(4)\n", "exits", "sys.modules.pop('exits')"},
        {"bad'one.py", "raise ValueError\n", "bad'one", R"(sys.modules.pop('bad\'one'))"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        logs.platform.clear();
        EXPECT_EQ(load(c.file, c.text), 0);
        EXPECT_EQ(loaderTexts("LoadScriptModule", kError), std::vector<std::string>{"加载模块: " + c.module + " 失败"});
        // A failed import leaves nothing in sys.modules to pop.
        EXPECT_EQ(
            loaderCount("UnloadScriptModule", kDebug, "卸载模块:" + c.module + ", 返回值:-1, python 语句：" + c.unload),
            1);
        EXPECT_EQ(loaderCount("UnloadScriptModule", kDebug,
                              "卸载模块:norq_api, 返回值:0, python 语句：sys.modules.pop('norq_api')"),
                  1);
    }
    // A loaded module that then fails to reload is unloaded by name, so the
    // mended file is imported afresh rather than reloaded.
    ASSERT_NE(load("mended.py", "def state(_=None): return 'fine'\n"), 0);
    EXPECT_EQ(load("mended.py", "raise RuntimeError('broken for a while')\n"), 0);
    EXPECT_EQ(
        loaderCount("UnloadScriptModule", kDebug, "卸载模块:mended, 返回值:0, python 语句：sys.modules.pop('mended')"),
        1);
    int64_t mended = load("mended.py", "def state(_=None): return 'fine again'\n");
    EXPECT_EQ(call(mended, "state"), "fine again");
    EXPECT_EQ(loaderCount("LoadUserStragetyModule", kDebug, "重新加载模块：mended"), 1);
}

// A system module that stopped importing is reported; the ones after it
// (norq_api is the last) still load.
TEST_F(PythonTest, AFailingSystemModuleIsReportedWhileTheOthersLoad) {
    int64_t breaker = load("breaker.py", R"py(import sys
def break_system(_=None):
    for name in ("ZQSACsvReader", "norq_api"): sys.modules.pop(name, None)
    sys.modules["ZQSACsvReader"] = None
    return "broken"
)py");
    ASSERT_EQ(call(breaker, "break_system"), "broken");
    logs.platform.clear();
    int64_t probe =
        load("probe.py", "import sys\ndef loaded(_=None): return str(sys.modules.get('norq_api') is not None)\n");
    EXPECT_EQ(call(probe, "loaded"), "True");
    std::vector<std::string> errors = loaderTexts("loadPythonModule", kError);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0].rfind("加载模块: ZQSACsvReader 失败", 0), 0u) << errors[0];
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
    std::thread first(work, 0), second(work, 1);
    first.join();
    second.join();
    EXPECT_EQ(met[0] + ", " + met[1], "a met, b met");
    EXPECT_EQ(wrong[0] + wrong[1], 0);
    EXPECT_EQ(call(module, "square", "12"), "144") << "no thread kept the interpreter lock";
    EXPECT_TRUE(host.logs.empty());
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
    ASSERT_EQ(host.logs.size(), 1u);
    EXPECT_EQ(host.logs[0].text, kUnknownModule);
    EXPECT_EQ(call(load("kept.py", "def version(_=None): return 'one'\n"), "version"), "one");
    EXPECT_EQ(loaderCount("InitAdapter", kInfo, kStarting), 2);
}

TEST_F(PythonTest, ExternalScriptsAreTheHostsToRun) {
    host.clear();
    host.answers[zq::kCodeExecPython] = {0, 0, std::string("ran"), 0};
    EXPECT_STREQ(python->execPy("/s/run.py", nullptr, nullptr).str(), "ran");
    EXPECT_STREQ(python->execPy("/s/run.py", "-v", "/usr/bin/python3").str(), "ran");
    host.answers[zq::kCodeExecPython].code = 1;
    EXPECT_STREQ(python->execPy("/s/run.py", nullptr, nullptr).str(), "");
    for (const char* empty : {"", static_cast<const char*>(nullptr)})
        EXPECT_STREQ(python->execPy(empty, "x", "y").str(), "");
    std::vector<std::string> sent;
    for (const fake::HostCall& c : host.callsTo(0)) sent.push_back(std::to_string(c.numbers.at(0)) + c.texts.at(0));
    EXPECT_EQ(sent, (std::vector<std::string>{
                        R"(2101{"params":{"file_path":"/s/run.py"}})",
                        R"(2101{"params":{"file_exec_params":"-v","file_path":"/s/run.py","python_interpreter_path":"/usr/bin/python3"}})",
                        R"(2101{"params":{"file_path":"/s/run.py"}})"}));
    std::vector<std::string> logged;
    for (const fake::HostLogLine& l : host.logs)
        logged.push_back(std::to_string(l.level) + " " + l.file + " " + l.function + ": " + l.text);
    EXPECT_EQ(logged, std::vector<std::string>(2, "3 zqpyexecutor ZqPyExecutor::execPy: 执行外部脚本失败，原因：输入脚本文件为空"));
}

// A strategy library that uses Python, run as the host runs it: it registers
// the file in onInit and calls it through its context.
TEST_F(PythonTest, AStrategyRegistersAPythonFileInOnInitAndCallsIt) {
    adapter->Uninit();
    recorder().clear();
    const std::string file = write("hello.py", "def on_init(text): return 'python saw ' + text\n");
    strategy = fake::libraryPath("teststrategy_python");
    runTestStrategy((R"({"python_file":")" + file + R"("})").c_str());
    const fake::StrategyEvent* init = recorder().last(1);
    ASSERT_NE(init, nullptr);
    ASSERT_EQ(init->numbers.size(), 1u);
    EXPECT_NE(init->numbers[0], 0) << "the module handle";
    EXPECT_EQ(init->texts, std::vector<std::string>{"python saw from onInit"});
}

}  // namespace
