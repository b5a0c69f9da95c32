// Log lines from creation to the host's log operation, the Qt debug echo or
// the platform logger.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <tuple>

#include "adapterfixture.h"
#include "logcapture.h"
#include "norq/zqlog.h"
#include "norq/zqstring.h"

namespace {

using Norq::ZqLog;

class ZqLogTest : public fake::AdapterTest {
protected:
    fake::LogCapture capture;
};

TEST_F(ZqLogTest, AnInfoLineReachesTheHostWithEveryArgumentAndIsEchoed) {
    ZqLog::setDispLogLevel(Norq::LOG_LEVEL_WARN);
    ZqLog("mysource", 42, "My::function").info() << "price " << 10.5;
    ASSERT_EQ(host.calls.size(), 1u);
    // level, line, display level, user flag; file, function, text, user log
    EXPECT_EQ(host.calls[0].numbers, (std::vector<int64_t>{1, 42, 2, 0}));
    EXPECT_EQ(host.calls[0].texts, (std::vector<std::string>{"mysource", "My::function", "price 10.5", ""}));
    EXPECT_EQ(capture.qtDebug, std::vector<std::string>{"price 10.5"});
    EXPECT_TRUE(capture.platform.empty());
}

TEST_F(ZqLogTest, ThresholdsDropLessSevereLinesAndTheConsoleOneOnlyTheEcho) {
    struct Case {
        Norq::LOG_LEVEL log, console;
        std::string toHost, echoed;  // "text/level " per line; "text " per line
    } cases[] = {
        {Norq::LOG_LEVEL_WARN, Norq::LOG_LEVEL_DEBUG, "warn/2 error/3 ", "warn error "},
        {Norq::LOG_LEVEL_DEBUG, Norq::LOG_LEVEL_ERROR, "debug/0 info/1 warn/2 error/3 ", "error "},
        {Norq::LOG_LEVEL_ERROR, Norq::LOG_LEVEL_INFO, "error/3 ", "error "},
    };
    for (const Case& c : cases) {
        ZqLog::setLogLevel(c.log);
        ZqLog::setConsoleLogLevel(c.console);
        host.logs.clear();
        capture.qtDebug.clear();
        ZqLog("s", 1, "f").debug() << "debug";
        ZqLog("s", 2, "f").info() << "info";
        ZqLog("s", 3, "f").warn() << "warn";
        ZqLog("s", 4, "f").error() << "error";
        std::string toHost, echoed;
        for (const fake::HostLogLine& line : host.logs) toHost += line.text + "/" + std::to_string(line.level) + " ";
        for (const std::string& text : capture.qtDebug) echoed += text + " ";
        EXPECT_EQ(toHost, c.toHost) << c.log << " " << c.console;
        EXPECT_EQ(echoed, c.echoed) << c.log << " " << c.console;
    }
}

// Without a name, a user log line is an ordinary info line.
TEST_F(ZqLogTest, UserLogLinesBypassTheThresholds) {
    ZqLog("s", 1, "f").error().userLog(nullptr, false) << "x";
    ZqLog::setLogLevel(Norq::LOG_LEVEL_ERROR);
    capture.qtDebug.clear();
    ZqLog("s", 7, "f").debug().userLog("trades", true) << "fill 100";
    ASSERT_EQ(host.logs.size(), 2u);
    const fake::HostLogLine &o = host.logs[0], &l = host.logs[1];
    EXPECT_EQ(std::tie(o.userLog, o.level, l.userLog, l.level, l.userFlag), std::make_tuple("", 1, "trades", 0, false));
    EXPECT_TRUE(capture.qtDebug.empty());
}

// Direct lines are written as they are: no percent sign is a format directive.
TEST_F(ZqLogTest, DirectModeGoesOnlyToThePlatformLogger) {
    ZqLog("norqultisimpl", 99, "Norq::X::y").log(Norq::LOG_LEVEL_ERROR, Norq::LOG_MODE_DIRECT)
        << "100% " << 3 << " %s %d %n %%";
    EXPECT_TRUE(host.logs.empty());
    EXPECT_TRUE(capture.qtDebug.empty());
    ASSERT_EQ(capture.platform.size(), 1u);
    const fake::PlatformRecord& r = capture.platform[0];
    EXPECT_EQ(std::tie(r.level, r.module, r.line, r.file, r.function, r.text),
              std::make_tuple(3, "STRATEGY_MODULE", 99, "norqultisimpl", "Norq::X::y", "100% 3 %s %d %n %%"));
}

TEST_F(ZqLogTest, WithoutAHostLinesBecomeLogErrorDebugMessages) {
    adapter->SetHostServices(nullptr);
    ZqLog("src", 12, "A::b").warn().userLog("u", false) << "lost";
    adapter->SetHostServices(&host);
    EXPECT_TRUE(host.logs.empty());
    EXPECT_EQ(capture.qtDebug, std::vector<std::string>{"log error: 2 12 src A::b lost u"});
}

TEST_F(ZqLogTest, InsertionsUseTheStreamsDefaultForms) {
    Norq::ZqString text("zq");
    const char* nothing = nullptr;
    ZqLog("s", 1, "f").info() << true << "|" << false << "|" << 1.5 << "|" << 1234567.0 << "|" << 0.1f << "|" << 'x'
                              << "|" << static_cast<short>(-3) << "|" << static_cast<unsigned short>(65535) << "|" << -7
                              << "|" << 4000000000u << "|" << -8L << "|" << 9UL << "|" << -1234567890123LL << "|"
                              << nothing << "|" << text;
    ASSERT_EQ(host.logs.size(), 1u);
    EXPECT_EQ(host.logs[0].text, "true|false|1.5|1.23457e+06|0.1|x|-3|65535|-7|4000000000|-8|9|-1234567890123||zq");
}

// Numbers are formatted without a stream when the locale allows: every form
// must still be the stream's, including lines far longer than the in-place
// area and values at the edges of the floating-point range.
TEST_F(ZqLogTest, NumbersComeOutAsTheStreamWritesThemOverLongLines) {
    std::mt19937_64 bits(7);
    std::vector<double> values = {0.0, -0.0, 1e-310, -1e308, 123456.5, 999999.5, 1e-5, 0.0001,
                                  std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::max()};
    for (int i = 0; i < 2000; ++i) {
        const uint64_t word = bits();
        double value;
        std::memcpy(&value, &word, sizeof value);
        values.push_back(i % 2 ? value : static_cast<double>(static_cast<int64_t>(word)) / 1024);
    }
    std::ostringstream expected;
    {
        ZqLog log("s", 1, "f");
        for (double v : values) {
            const auto whole = static_cast<long long>(bits());
            // (a double beyond float's range has no float value to convert to)
            const float narrow = std::fabs(v) > std::numeric_limits<float>::max() ? 0.1f : static_cast<float>(v);
            log << v << ' ' << narrow << ' ' << whole << ' ';
            expected << v << ' ' << narrow << ' ' << whole << ' ';
        }
    }
    ASSERT_EQ(host.logs.size(), 1u);
    EXPECT_EQ(host.logs[0].text, expected.str());
}

// A process-wide locale with its own decimal mark and grouping is honoured,
// as a stream built for the line would honour it.
TEST_F(ZqLogTest, NumbersFollowAGlobalLocaleThatIsNotTheClassicOne) {
    struct Commas : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new Commas));
    ZqLog("s", 1, "f").info() << 1234567 << " " << 10.5;
    std::locale::global(previous);
    ZqLog("s", 1, "f").info() << 1234567 << " " << 10.5;
    ASSERT_EQ(host.logs.size(), 2u);
    EXPECT_EQ(host.logs[0].text, "1.234.567 10,5");
    EXPECT_EQ(host.logs[1].text, "1234567 10.5");
}

TEST_F(ZqLogTest, CopiesShareOneLineWrittenOnceByTheLastCopy) {
    {
        ZqLog original("s", 5, "f");
        original.warn() << "a";
        ZqLog copy(original);
        copy << "b";
        ZqLog assigned("other", 6, "g");
        assigned << "discarded";
        assigned = copy;
        assigned << "c";
        EXPECT_EQ(host.logs.size(), 1u);  // the line "discarded" went when assigned let go of it
        ZqLog& alias = assigned;
        assigned = alias;
    }
    ASSERT_EQ(host.logs.size(), 2u);
    EXPECT_EQ(host.logs[0].text, "discarded");
    const fake::HostLogLine& l = host.logs[1];
    EXPECT_EQ(std::tie(l.text, l.level, l.line), std::make_tuple("abc", 2, 5));
}

TEST_F(ZqLogTest, UserLogFilesAreRegisteredAndClearedThroughTheHost) {
    ZqLog::registerCustomLogFile("trades", "/tmp/trades.log");
    ZqLog::registerCustomLogFile(nullptr, "/tmp/x.log");
    ZqLog::registerCustomLogFile("x", nullptr);
    ZqLog::cleanUserLog("trades");
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(std::tie(host.calls[0].slot, host.calls[0].texts, host.calls[1].slot, host.calls[1].texts),
              std::make_tuple(21, std::vector<std::string>{"trades", "/tmp/trades.log"}, 8,
                              std::vector<std::string>{"trades"}));

    adapter->SetHostServices(nullptr);
    ZqLog::registerCustomLogFile("trades", "/tmp/trades.log");
    ZqLog::cleanUserLog("trades");
    adapter->SetHostServices(&host);
    EXPECT_EQ(host.calls.size(), 2u);
}

}  // namespace
