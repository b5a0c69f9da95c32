// zqhost run as a user runs it: a child process with its standard output and
// error kept apart, its exit status, and signals sent while it runs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace {

const std::string kLibDir = TEST_LIB_DIR;
const std::string kMacross = kLibDir + "/libmacross.so";
const std::string kProbe = kLibDir + "/libprobestrategy.so";
const std::string kTinyBars = TEST_DATA_DIR "/tiny_bars.csv";

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Outcome {
    int status = -1;  // -1 when a signal ended it
    std::string out, err;
};

class Child {
public:
    // zqhost with `args`, its output into files in `dir`.
    Child(std::vector<std::string> args, const std::string& dir) : out_(dir + "/stdout.txt"), err_(dir + "/stderr.txt") {
        args.insert(args.begin(), ZQHOST_PATH);
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        if ((pid_ = fork()) != 0) return;
        dup2(open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    // Every signal is pending before it runs on: it is stopped while they
    // are sent, so however busy the machine, the second finds the first
    // still being handled.
    void signal(const std::vector<int>& numbers) {
        int status = 0;
        kill(pid_, SIGSTOP);
        waitpid(pid_, &status, WUNTRACED);
        for (int number : numbers) kill(pid_, number);
        kill(pid_, SIGCONT);
    }
    Outcome wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(out_), readFile(err_)};
    }

private:
    pid_t pid_;
    std::string out_, err_;
};

Outcome run(const std::vector<std::string>& args, const std::string& dir) {
    return Child(args, dir).wait();
}

// A fresh, empty directory for one test.
std::string freshDir(const std::string& name) {
    std::string dir = std::string(TEST_BIN_DIR) + "/runs/" + name;
    std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
    return dir;
}

size_t count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

QJsonObject jsonFile(const std::string& path) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(readFile(path))).object();
}

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string sha256(const std::string& bytes) {
    return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256).toHex().toStdString();
}

// Minute bars of one symbol, `count` of them, rising and falling.
std::string writeBars(const std::string& path, int count) {
    std::ofstream out(path);
    out << "symbol,time,open,high,low,close,volume\n";
    QDateTime at(QDate(2024, 1, 2), QTime(9, 30));
    for (int i = 0; i < count; ++i, at = at.addSecs(60)) {
        double close = 10 + (i % 20) * 0.1;
        out << "600000.SH," << at.toString("yyyy-MM-dd hh:mm:ss").toStdString() << "," << close << "," << close + 0.1
            << "," << close - 0.1 << "," << close << ",1000\n";
    }
    return path;
}

}  // namespace

// Result files are checked before the first bar, and no file is written twice: the bars and the library at
// stake are copies, which a run that wrongly went ahead would overwrite.
TEST(ResultFiles, AreRefusedBeforeTheRunWhenTheyClashOrCannotBeCreated) {
    const std::string dir = freshDir("result_files");
    std::ofstream(dir + "/plain") << "a file, not a directory";
    const std::string json = dir + "/run.json", bars = dir + "/bars.csv", library = dir + "/libmacross.so";
    std::ofstream(bars) << readFile(kTinyBars);
    std::ofstream(library, std::ios::binary) << readFile(kMacross);
    struct Case { const char* name; std::vector<std::string> args; int status; std::string message; } cases[] = {
        {"summary and report", {"--summary", json, "--report", json}, 2,
         "zqhost: --summary and --report name the same file " + json + ": give each its own"},
        {"summary and record", {"--summary", json, "--record", json}, 2, "--summary and --record name the same file"},
        {"record and log", {"--record", json, "--log", json}, 2, "--record and --log name the same file"},
        {"spelt differently", {"--summary", json, "--report", dir + "/../result_files/./run.json"}, 2,
         "--summary and --report name the same file"},
        {"a bar file", {"--report", bars}, 2, "--report " + bars + " would overwrite the --bars file"},
        {"the library", {"--summary", library}, 2, "would overwrite the strategy library file"},
        {"no such directory", {"--summary", dir + "/none/run.json"}, 1,
         "zqhost: cannot write --summary " + dir + "/none/run.json: "},
        {"under a file", {"--report", dir + "/plain/run.html"}, 1, "zqhost: cannot write --report " + dir + "/plain"},
        {"a directory", {"--summary", dir}, 1, "zqhost: cannot write --summary " + dir + ": it is a directory"},
    };
    for (const Case& c : cases) {
        Outcome o = run(with(with({"--account", "stock=880001", "--bars", bars}, c.args), {library}), dir);
        EXPECT_EQ(o.status, c.status) << c.name << "\n" << o.err;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << c.name << "\n" << o.err;
        EXPECT_EQ(o.out.find("running with parameters"), std::string::npos) << c.name << ": the run started";
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(json)));
    EXPECT_EQ(readFile(dir + "/plain"), "a file, not a directory");
}

TEST(LogControl, ThresholdQuietAndLogFileShapeTheOneStream) {
    const std::string dir = freshDir("log_control");
    const std::string log = dir + "/run.log";
    const std::vector<std::string> base{"--account", "stock=880001", "--bars", kTinyBars, "--params",
                                        R"({"short_window":2,"long_window":4})"};
    struct Case { const char* name; std::vector<std::string> args, shown, hidden; } cases[] = {  // on standard output
        {"default: info", {}, {"[HOST] running with parameters", "[INFO] ", "fills "}, {"C++ push order report"}},
        {"debug", {"--log-level", "debug"}, {"[DEBUG] CXXAdapter zqcxxadapter ZqCxxAdapter::OnNotifyMessage: C++ push "
                                             "order report:", "[HOST] running with"}, {}},
        {"quiet", {"--quiet"}, {"fills "}, {"[HOST]", "[INFO]", "C++ push order report"}},
        {"warn", {"--log-level", "warn"}, {"fills "}, {"[HOST]", "[INFO]"}},
        {"log file", {"--log", log}, {"period ", "fills "}, {"[HOST]", "[INFO]"}},
    };
    for (const Case& c : cases) {
        Outcome o = run(with(with(base, c.args), {kMacross}), dir);
        EXPECT_EQ(o.status, 0) << c.name << "\n" << o.err;
        for (const std::string& text : c.shown) EXPECT_NE(o.out.find(text), std::string::npos) << c.name << ": " << text;
        for (const std::string& text : c.hidden) EXPECT_EQ(o.out.find(text), std::string::npos) << c.name << ": " << text;
    }
    std::string file = readFile(log);
    EXPECT_LT(file.find("[HOST] running with parameters"), file.find("[HOST] strategy stopped")) << "in order";
    EXPECT_EQ(file.find("period "), std::string::npos) << "the summary stays on the terminal";

    Outcome bad = run({"--log-level", "loud", kMacross}, dir);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("zqhost: --log-level takes debug, info, warn or error, got 'loud'"), std::string::npos);
}

// The summary and the report say what was run and how it ended.
TEST(RunInformation, SaysWhatWasRunAndThatCallbacksThrew) {
    const std::string dir = freshDir("run_information");
    const struct { const char* name; std::vector<std::string> args; int status; std::string word; } cases[] = {
        {"clean", {}, 0, "done"},
        {"threw", {"--param", "throw_at_bar=3"}, 3, "callback errors"},
        {"threw, allowed", {"--param", "throw_at_bar=3", "--allow-errors"}, 0, "callback errors"},
    };
    const std::string library = readFile(kProbe), summary = dir + "/run.json", report = dir + "/run.html";
    const QJsonObject bars{{"path", QString::fromStdString(kTinyBars)},
                           {"sha256", QString::fromStdString(sha256(readFile(kTinyBars)))},
                           {"size", static_cast<double>(readFile(kTinyBars).size())}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Outcome o = run(with(with({"--account", "stock=880001", "--cash", "5000", "--bars", kTinyBars, "--summary",
                                   summary, "--report", report}, c.args), {kProbe}), dir);
        ASSERT_EQ(o.status, c.status) << o.err;
        QJsonObject info = jsonFile(summary).value("run").toObject();
        EXPECT_EQ(info.value("status").toString().toStdString(), c.word);
        EXPECT_EQ(info.value("exitStatus").toInt(-1), c.status);
        EXPECT_FALSE(info.value("interrupted").toBool(true));
        EXPECT_EQ(info.value("library").toObject().value("sha256").toString().toStdString(), sha256(library));
        EXPECT_EQ(info.value("library").toObject().value("size").toDouble(), library.size());
        EXPECT_EQ(info.value("barFiles").toArray(), QJsonArray{bars});
        EXPECT_EQ(info.value("account").toObject().value("accounts").toObject().value("stock").toString(), "880001");
        EXPECT_EQ(info.value("account").toObject().value("cash").toDouble(), 5000);
        EXPECT_EQ(info.value("parameters").toObject().value("bar_micros").toString(), "0");
        EXPECT_FALSE(info.value("zqhostVersion").toString().isEmpty());
        EXPECT_EQ(info.value("reached").toString().toStdString(), "2024-01-03 09:35:00");
        std::string html = readFile(report);
        EXPECT_NE(html.find("Status: " + c.word + ", exit status " + std::to_string(c.status)), std::string::npos);
        const bool threw = c.word != "done";
        const QJsonObject thrown{
            {"callback", "onKLine"}, {"exception", "bar 3 is one too many"}, {"time", "2024-01-02 09:32:00"}};
        EXPECT_EQ(info.value("callbackExceptions").toArray(), threw ? QJsonArray{thrown} : QJsonArray());
        EXPECT_EQ(html.find("<td>onKLine</td><td>bar 3 is one too many</td>") != std::string::npos, threw);
        EXPECT_EQ(html.find("class=\"status unclean\"") != std::string::npos, threw);
    }
}

// The first SIGINT or SIGTERM ends the run the orderly way, keeping its
// results; a second signal ends the process at once, writing nothing more.
TEST(Interruption, TheFirstSignalStopsTheRunAndKeepsItsResultsTheSecondEndsIt) {
    const std::string dir = freshDir("interruption");
    const int total = 20000;
    const std::string bars = writeBars(dir + "/long.csv", total);
    const std::string summary = dir + "/run.json", trace = dir + "/run.jsonl";
    for (std::vector<int> sent : {std::vector<int>{SIGINT}, {SIGTERM}, {SIGINT, SIGTERM}}) {
        std::remove(trace.c_str());
        std::remove(summary.c_str());
        Child child({"--account", "stock=880001", "--bars", bars, "--param", "bar_micros=500", "--record", trace,
                     "--summary", summary, "--report", dir + "/run.html", kProbe},
                    dir);
        for (int i = 0; i < 200 && readFile(trace).size() < 20000; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        child.signal(sent);
        Outcome o = child.wait();
        ASSERT_EQ(o.status, 130) << sent.size() << " signals\n" << o.err;
        if (sent.size() == 2) {
            EXPECT_FALSE(QFile::exists(QString::fromStdString(summary))) << "a second signal ends it at once";
            EXPECT_EQ(o.out.find("stopped after "), std::string::npos) << "a second signal ends it at once";
            continue;
        }
        EXPECT_NE(o.out.find("stopped after "), std::string::npos) << "onStop was called";
        QJsonObject result = jsonFile(summary), info = result.value("run").toObject();
        const std::string reached = info.value("reached").toString().toStdString();
        EXPECT_EQ(info.value("status").toString() + QString::number(info.value("exitStatus").toInt()), "interrupted130");
        EXPECT_TRUE(info.value("interrupted").toBool());
        EXPECT_EQ(reached, result.value("lastBar").toString().toStdString());
        const int delivered = result.value("bars").toInt();
        EXPECT_TRUE(delivered > 0 && delivered < total) << delivered;
        EXPECT_NE(o.err.find("zqhost: interrupted at simulated time " + reached + " after "), std::string::npos) << o.err;
        EXPECT_NE(readFile(dir + "/run.html").find("Status: interrupted, exit status 130"), std::string::npos);
        // Every line of the trace is whole, and it replays.
        std::istringstream lines(readFile(trace));
        std::string line, last;
        while (std::getline(lines, line)) {
            EXPECT_FALSE(QJsonDocument::fromJson(QByteArray::fromStdString(line)).isNull()) << line;
            last = line;
        }
        EXPECT_EQ(last, R"({"kind":"end"})");
        EXPECT_EQ(run({"--replay", trace, kProbe}, dir).status, 0);
    }
}

// English lines where the library's own records need the user to act, once
// each. Off a terminal the log is written in blocks; a crash still leaves
// every line logged before it.
TEST(Messages, SayWhatTheUserMustDoOnceEach) {
    const std::string dir = freshDir("messages");
    std::ofstream(dir + "/broken_signals.py") << "def signal(:\n";
    // `line` comes exactly once in standard output and error together.
    struct Case {
        const char* name;
        std::string library;
        std::vector<std::string> args;
        int status;
        std::string line;
    } cases[] = {
        {"no such parameter", kProbe, {"--param", "read_param=windows"}, 0,
         "[HOST] the strategy read the run parameter 'windows', which does not exist: its getParams declares no "
         "parameter of that name"},
        {"no such Python file", kProbe, {"--param", "python_file=/nonexistent/signals.py"}, 0,
         "[HOST] the Python file /nonexistent/signals.py did not load: check that it exists and its path is right"},
        {"a Python file that does not import", kProbe, {"--param", "python_file=" + dir + "/broken_signals.py"}, 0,
         "[HOST] the Python module broken_signals did not load: Python's own error is above"},
        {"getParams throws", kLibDir + "/libprobestrategy_badschema.so", {}, 3,
         "zqhost: the strategy's getParams threw: no schema today"},
        {"a crash names the callback", kProbe, {"--param", "crash_at_bar=2"}, -1,
         "[HOST] the strategy crashed (signal 6) during notification 1061 (onKLine, 600000.SH) at simulated time "
         "20240102093100"},
    };
    for (const Case& c : cases) {
        Outcome o = run(with(with({"--account", "stock=880001", "--bars", kTinyBars}, c.args), {c.library}), dir);
        EXPECT_EQ(o.status, c.status) << c.name << "\n" << o.out << o.err;
        EXPECT_EQ(count(o.out + o.err, c.line), 1u) << c.name << "\n" << o.out << o.err;
        EXPECT_EQ(o.err.find("not valid JSON"), std::string::npos) << c.name;
        EXPECT_TRUE(c.status != -1 || o.out.find("[HOST] running with parameters") != std::string::npos) << "lost lines";
    }
}
