// Log lines from creation to the host's log operation, the Qt debug echo or
// the platform logger.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <locale>
#include <random>
#include <sstream>
#include <tuple>
#include <vector>

#include "adapterfixture.h"
#include "logcapture.h"
#include "norq/zqlog.h"
#include "norq/zqstring.h"

namespace {

using Norq::ZqLog;

class ZqLogTest : public fake::AdapterTest {
protected:
    // Each line the host got, as "text/level/line ".
    std::string hostLines() const {
        std::string out;
        for (const fake::HostLogLine& l : host.logs)
            out += l.text + "/" + std::to_string(l.level) + "/" + std::to_string(l.line) + " ";
        return out;
    }
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
}

TEST_F(ZqLogTest, ThresholdsDropLessSevereLinesAndTheConsoleOneOnlyTheEcho) {
    ZqLog::setLogLevel(Norq::LOG_LEVEL_WARN);
    ZqLog::setConsoleLogLevel(Norq::LOG_LEVEL_ERROR);
    ZqLog("s", 1, "f").debug() << "debug";
    ZqLog("s", 2, "f").info() << "info";
    ZqLog("s", 3, "f").warn() << "warn";
    ZqLog("s", 4, "f").error() << "error";
    EXPECT_EQ(hostLines(), "warn/2/3 error/3/4 ");
    EXPECT_EQ(capture.qtDebug, std::vector<std::string>{"error"});
}

// Without a name, a user log line is an ordinary info line.
TEST_F(ZqLogTest, UserLogLinesBypassTheThresholds) {
    ZqLog("s", 1, "f").error().userLog(nullptr, false) << "x";
    ZqLog::setLogLevel(Norq::LOG_LEVEL_ERROR);
    ZqLog("s", 7, "f").debug().userLog("trades", true) << "fill";
    ASSERT_EQ(host.logs.size(), 2u);
    const fake::HostLogLine &o = host.logs[0], &l = host.logs[1];
    EXPECT_EQ(std::tie(o.userLog, o.level, l.userLog, l.level, l.userFlag), std::make_tuple("", 1, "trades", 0, false));
    EXPECT_EQ(capture.qtDebug, std::vector<std::string>{"x"});
}

// Direct lines are written as they are: no percent sign is a format directive.
TEST_F(ZqLogTest, DirectModeGoesOnlyToThePlatformLogger) {
    ZqLog("norqultisimpl", 99, "Norq::X::y").log(Norq::LOG_LEVEL_ERROR, Norq::LOG_MODE_DIRECT)
        << "100% " << 3 << " %s %d %n %%";
    EXPECT_EQ(host.logs.size() + capture.qtDebug.size(), 0u);
    ASSERT_EQ(capture.platform.size(), 1u);
    const fake::PlatformRecord& r = capture.platform[0];
    EXPECT_EQ(std::tie(r.level, r.module, r.line, r.file, r.function, r.text),
              std::make_tuple(3, "STRATEGY_MODULE", 99, "norqultisimpl", "Norq::X::y", "100% 3 %s %d %n %%"));
}

TEST_F(ZqLogTest, WithoutAHostLinesBecomeLogErrorDebugMessagesAndUserLogFilesAreLeftAlone) {
    adapter->SetHostServices(nullptr);
    ZqLog("src", 12, "A::b").warn().userLog("u", false) << "lost";
    ZqLog::registerCustomLogFile("trades", "/tmp/trades.log");
    ZqLog::cleanUserLog("trades");
    adapter->SetHostServices(&host);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(capture.qtDebug, std::vector<std::string>{"log error: 2 12 src A::b lost u"});
}

TEST_F(ZqLogTest, InsertionsUseTheStreamsDefaultForms) {
    Norq::ZqString text("zq");
    const char* nothing = nullptr;
    ZqLog("s", 1, "f").info() << true << "|" << false << "|" << 1234567.0 << "|" << 0.1f << "|" << 'x' << "|"
                              << static_cast<short>(-3) << "|" << 4000000000u << "|" << -1234567890123LL << "|"
                              << nothing << "|" << text;
    EXPECT_EQ(hostLines(), "true|false|1.23457e+06|0.1|x|-3|4000000000|-1234567890123||zq/1/1 ");
}

// Numbers are formatted without a stream when the locale allows: every form must still be the stream's, over
// a line far longer than the in-place area and at the floating-point edges, which random bits seldom hit.
TEST_F(ZqLogTest, NumbersComeOutAsTheStreamWritesThemOverLongLines) {
    std::mt19937_64 bits(7);
    std::ostringstream expected;
    {
        ZqLog log("s", 1, "f");
        for (double v : {-0.0, 1e-310, -1e308, 999999.5, 1e-5, HUGE_VAL, -HUGE_VAL, double(NAN)}) {
            log << v << ' ';
            expected << v << ' ';
        }
        for (int i = 0; i < 1000; ++i) {
            const auto whole = static_cast<long long>(bits());
            double v = static_cast<double>(whole) / 1024;
            if (i % 2) std::memcpy(&v, &whole, sizeof v);
            log << v << ' ' << static_cast<float>(whole) << ' ' << whole << ' ';
            expected << v << ' ' << static_cast<float>(whole) << ' ' << whole << ' ';
        }
    }
    EXPECT_EQ(hostLines(), expected.str() + "/1/1 ");
}

// A process-wide locale with its own decimal mark and grouping is honoured, as a stream for the line would.
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
    EXPECT_EQ(hostLines(), "1.234.567 10,5/1/1 1234567 10.5/1/1 ");
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
        EXPECT_EQ(hostLines(), "discarded/1/6 ");  // gone when `assigned` let go of it
    }
    EXPECT_EQ(hostLines(), "discarded/1/6 abc/2/5 ");
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
}

}  // namespace
