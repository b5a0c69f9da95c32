#include <gtest/gtest.h>

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
#include <sstream>
#include <thread>

#include "hostrun.h"

using namespace hostrun;

namespace {

const std::string kLibDir = TEST_LIB_DIR;
const std::string kMacross = kLibDir + "/libmacross.so";
const std::string kProbe = kLibDir + "/libprobestrategy.so";
const std::string kTinyBars = TEST_DATA_DIR "/tiny_bars.csv";

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

// Result files are checked before the first bar, and no file is written twice.
TEST(ResultFiles, AreRefusedBeforeTheRunWhenTheyClashOrCannotBeCreated) {
    const std::string dir = freshDir("result_files");
    std::ofstream(dir + "/plain") << "a file, not a directory";
    const std::string json = dir + "/run.json";
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        {"summary and report", {"--summary", json, "--report", json}, 2,
         "zqhost: --summary and --report name the same file " + json + ": give each its own"},
        {"summary and record", {"--summary", json, "--record", json}, 2, "--summary and --record name the same file"},
        {"record and log", {"--record", json, "--log", json}, 2, "--record and --log name the same file"},
        {"spelt differently", {"--summary", json, "--report", dir + "/../result_files/./run.json"}, 2,
         "--summary and --report name the same file"},
        {"a bar file", {"--report", kTinyBars}, 2, "--report " + kTinyBars + " would overwrite the --bars file"},
        {"the library", {"--summary", kMacross}, 2, "would overwrite the strategy library file"},
        {"no such directory", {"--summary", dir + "/none/run.json"}, 1,
         "zqhost: cannot write --summary " + dir + "/none/run.json: "},
        {"under a file", {"--report", dir + "/plain/run.html"}, 1, "zqhost: cannot write --report " + dir + "/plain"},
        {"a directory", {"--summary", dir}, 1, "zqhost: cannot write --summary " + dir + ": it is a directory"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = with({"--account", "stock=880001", "--bars", kTinyBars}, c.args);
        Outcome o = run(with(args, {kMacross}), dir);
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
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> shown, hidden;  // on standard output
    } cases[] = {
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
    EXPECT_NE(file.find("[HOST] running with parameters"), std::string::npos) << file;
    EXPECT_LT(file.find("[HOST] running with parameters"), file.find("[HOST] strategy stopped")) << "in order";
    EXPECT_EQ(file.find("period "), std::string::npos) << "the summary stays on the terminal";

    Outcome bad = run({"--log-level", "loud", kMacross}, dir);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("zqhost: --log-level takes debug, info, warn or error, got 'loud'"), std::string::npos);
}

// The summary and the report say what was run and how it ended.
TEST(RunInformation, SaysWhatWasRunAndThatCallbacksThrew) {
    const std::string dir = freshDir("run_information");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* word;
        int exceptions;
    } cases[] = {
        {"clean", {}, 0, "done", 0},
        {"threw", {"--param", "throw_at_bar=3"}, 3, "callback errors", 1},
        {"threw, allowed", {"--param", "throw_at_bar=3", "--allow-errors"}, 0, "callback errors", 1},
    };
    QByteArray library = QByteArray::fromStdString(readFile(kProbe));
    std::string librarySha = QCryptographicHash::hash(library, QCryptographicHash::Sha256).toHex().toStdString();
    std::string barsSha = QCryptographicHash::hash(QByteArray::fromStdString(readFile(kTinyBars)),
                                                   QCryptographicHash::Sha256).toHex().toStdString();
    for (const Case& c : cases) {
        const std::string summary = dir + "/run.json", report = dir + "/run.html";
        std::vector<std::string> args = {"--account", "stock=880001", "--cash", "5000", "--bars", kTinyBars,
                                         "--summary", summary, "--report", report};
        Outcome o = run(with(with(args, c.args), {kProbe}), dir);
        ASSERT_EQ(o.status, c.status) << c.name << "\n" << o.err;
        QJsonObject info = jsonFile(summary).value("run").toObject();
        EXPECT_EQ(info.value("status").toString().toStdString(), c.word) << c.name;
        EXPECT_EQ(info.value("exitStatus").toInt(-1), c.status) << c.name;
        EXPECT_FALSE(info.value("interrupted").toBool(true)) << c.name;
        EXPECT_EQ(info.value("library").toObject().value("sha256").toString().toStdString(), librarySha) << c.name;
        EXPECT_EQ(info.value("library").toObject().value("size").toDouble(), library.size()) << c.name;
        QJsonObject bars = info.value("barFiles").toArray().at(0).toObject();
        EXPECT_EQ(bars.value("path").toString().toStdString(), kTinyBars) << c.name;
        EXPECT_EQ(bars.value("sha256").toString().toStdString(), barsSha) << c.name;
        EXPECT_EQ(info.value("account").toObject().value("accounts").toObject().value("stock").toString(), "880001");
        EXPECT_EQ(info.value("account").toObject().value("cash").toDouble(), 5000) << c.name;
        EXPECT_EQ(info.value("parameters").toObject().value("bar_micros").toString(), "0") << c.name;
        EXPECT_FALSE(info.value("zqhostVersion").toString().isEmpty()) << c.name;
        EXPECT_EQ(info.value("reached").toString().toStdString(), "2024-01-03 09:35:00") << c.name;
        QJsonArray thrown = info.value("callbackExceptions").toArray();
        ASSERT_EQ(thrown.size(), c.exceptions) << c.name;
        std::string html = readFile(report);
        std::string line = "Status: " + std::string(c.word) + ", exit status " + std::to_string(c.status);
        EXPECT_NE(html.find(line), std::string::npos) << c.name;
        if (c.exceptions == 0) continue;
        QJsonObject first = thrown.at(0).toObject();
        EXPECT_EQ(first.value("callback").toString().toStdString(), "onKLine") << c.name;
        EXPECT_EQ(first.value("exception").toString().toStdString(), "bar 3 is one too many") << c.name;
        EXPECT_EQ(first.value("time").toString().toStdString(), "2024-01-02 09:32:00") << c.name;
        EXPECT_NE(html.find("<td>onKLine</td><td>bar 3 is one too many</td>"), std::string::npos) << c.name;
        EXPECT_NE(html.find("class=\"status unclean\""), std::string::npos) << c.name;
    }
}

// The first SIGINT or SIGTERM ends the run the orderly way; the second at once.
TEST(Interruption, TheFirstSignalStopsTheRunAndKeepsItsResults) {
    const std::string dir = freshDir("interruption");
    const int total = 20000;
    const std::string bars = writeBars(dir + "/long.csv", total);
    for (int signal : {SIGINT, SIGTERM}) {
        const std::string summary = dir + "/run.json", trace = dir + "/run.jsonl";
        std::remove(trace.c_str());
        Child child({"--account", "stock=880001", "--bars", bars, "--param", "bar_micros=500", "--record", trace,
                     "--summary", summary, "--report", dir + "/run.html", kProbe},
                    dir);
        for (int i = 0; i < 200 && readFile(trace).size() < 20000; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        child.signal(signal);
        Outcome o = child.wait();
        ASSERT_EQ(o.status, 130) << signal << "\n" << o.err;
        EXPECT_NE(o.out.find("stopped after "), std::string::npos) << "onStop was called";
        QJsonObject result = jsonFile(summary);
        QJsonObject info = result.value("run").toObject();
        EXPECT_EQ(info.value("status").toString(), "interrupted");
        EXPECT_TRUE(info.value("interrupted").toBool());
        EXPECT_EQ(info.value("exitStatus").toInt(), 130);
        const std::string reached = info.value("reached").toString().toStdString();
        EXPECT_EQ(reached, result.value("lastBar").toString().toStdString());
        EXPECT_GT(result.value("bars").toInt(), 0);
        EXPECT_LT(result.value("bars").toInt(), total);
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
        Outcome replayed = run({"--replay", trace, kProbe}, dir);
        EXPECT_EQ(replayed.status, 0) << replayed.err;
    }
}

// The second signal ends the process where it is: onStop, which takes a
// minute here, is cut short and no summary is written.
TEST(Interruption, TheSecondSignalEndsTheProcessAtOnce) {
    const std::string dir = freshDir("second_interruption");
    const std::string bars = writeBars(dir + "/long.csv", 20000), trace = dir + "/run.jsonl";
    Child child({"--account", "stock=880001", "--bars", bars, "--param", "bar_micros=500", "--param",
                 "stop_millis=60000", "--record", trace, "--summary", dir + "/run.json", kProbe},
                dir);
    for (int i = 0; i < 200 && readFile(trace).size() < 20000; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    child.signal(SIGINT);
    for (int i = 0; i < 200 && readFile(dir + "/stdout.txt").find("stopped after ") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    child.signal(SIGTERM);
    Outcome o = child.wait();
    EXPECT_EQ(o.status, 130) << o.err;
    EXPECT_NE(o.out.find("stopped after "), std::string::npos) << "the second signal came before onStop";
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir + "/run.json")));
}

// English lines where the library's own records need the user to act, once each.
TEST(Messages, SayWhatTheUserMustDoOnceEach) {
    const std::string dir = freshDir("messages");
    std::ofstream(dir + "/broken_signals.py") << "def signal(:\n";
    struct Case {
        const char* name;
        std::string library;
        std::vector<std::string> args;
        int status;
        std::string line;  // exactly once in standard output and error together
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
        std::vector<std::string> args = {"--account", "stock=880001", "--bars", kTinyBars};
        Outcome o = run(with(with(args, c.args), {c.library}), dir);
        EXPECT_EQ(o.status, c.status) << c.name << "\n" << o.out << o.err;
        EXPECT_EQ(count(o.out + o.err, c.line), 1u) << c.name << "\n" << o.out << o.err;
        EXPECT_EQ(o.err.find("not valid JSON"), std::string::npos) << c.name;
    }
}
