// The strategy's timers as a strategy sees them: which tick fires which
// callback, when timers end, and one-shot timers against a clock the test
// sets.
#include "timer/zqtimersignalhandler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <thread>
#include <tuple>

#include "adapterfixture.h"
#include "norq/izqcontext.h"
#include "norq/strategyhandlerbase.h"
#include "norq/strategyparams.h"

namespace {

// Periodic callbacks noted as "user", one-shots as "user@time".
class TimerStrategy : public Norq::StrategyHandlerBase {
public:
    Norq::StrategyParams getParams() override { return {}; }
    void onTimer(Norq::IZqContext* ctx, int32_t interval, const char* start, const char* end,
                 const char* user) override {
        lastTimer = std::to_string(interval) + "|" + start + "|" + end + "|" + user;
        note(ctx, user);
    }
    void onSingleTimer(Norq::IZqContext* ctx, const char* time, const char* user) override {
        note(ctx, std::string(user) + "@" + time);
    }

    std::vector<std::string> fired;
    std::string lastTimer;
    Norq::IZqContext* context = nullptr;
    std::function<void(const std::string&)> hook;  // runs after each note

private:
    void note(Norq::IZqContext* ctx, const std::string& what) {
        context = ctx;
        fired.push_back(what);
        if (hook) hook(what);
    }
};

std::string timeOfDay(int ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %03d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
    return text;
}

class TimerTest : public fake::AdapterTest {
protected:
    void SetUp() override {
        AdapterTest::SetUp();
        attach(timers);
    }

    void attach(ZqTimerSignalHandler& handler) { handler.setStrategy(&strategy); }

    // The callbacks one tick made, space-separated.
    std::string tick(const std::string& tickText, ZqTimerSignalHandler* handler = nullptr) {
        strategy.fired.clear();
        (handler ? *handler : timers).fire(tickText.c_str(), context);
        std::string text;
        for (const std::string& f : strategy.fired) text += (text.empty() ? "" : " ") + f;
        return text;
    }

    std::string now = "09:30:00 000";
    TimerStrategy strategy;
    Norq::IZqContext* context = reinterpret_cast<Norq::IZqContext*>(0x1234);
    ZqTimerSignalHandler timers{[this] { return now; }};
};

TEST_F(TimerTest, PeriodicTimersFireOnEveryMultipleOfTheirIntervalBetweenStartAndEnd) {
    struct Case {
        const char* name;
        int32_t interval;
        const char* start;
        const char* end;
        std::optional<int32_t> tickLength;  // none: no host
        std::vector<std::string> ticks;
        std::string fired;  // per tick: F fired, . did not
    } cases[] = {
        // clang-format off
        {"counts ticks", 3000, nullptr, nullptr, 1000,
         {"09:30:01 000", "09:30:02 000", "09:30:03 000", "09:30:04 000", "09:30:05 000", "09:30:06 000"},
         "..F..F"},
        {"first tick at start fires uncounted", 2000, "09:30:00 000", "", 1000,
         {"09:29:59 999", "09:30:00 000", "09:30:01 000", "09:30:02 000"}, ".F.F"},
        {"end tick counts, the next ends it", 1000, "", "09:30:02 000", 1000,
         {"09:30:01 000", "09:30:02 000", "09:30:02 001", "09:30:03 000"}, "FF.."},
        {"start past the end fires once", 1000, "09:30:00 000", "09:30:01 000", 1000,
         {"09:30:05 000", "09:30:06 000", "09:30:07 000"}, "F.."},
        {"only the last 12 characters are the time", 1000, "09:30:00 000", "", 1000,
         {"20240101 09:29:59 999", "19991231 09:30:00 000"}, ".F"},
        {"interval 0 never fires", 0, nullptr, nullptr, 1000, {"09:30:01 000", "09:30:02 000"}, ".."},
        {"negative interval counts as its magnitude", -2000, nullptr, nullptr, 1000,
         {"09:30:01 000", "09:30:02 000", "09:30:03 000", "09:30:04 000"}, ".F.F"},
        {"most negative interval", INT32_MIN, nullptr, nullptr, 1 << 30,
         {"09:30:01 000", "09:30:02 000", "09:30:03 000", "09:30:04 000"}, ".F.F"},
        {"negative tick lengths count down", 3, nullptr, nullptr, -1,
         {"09:30:01 000", "09:30:02 000", "09:30:03 000"}, "..F"},
        {"no host: length 0, fires every tick", 5000, nullptr, nullptr, std::nullopt,
         {"09:30:01 000", "09:30:02 000"}, "FF"},
        // clang-format on
    };
    for (const Case& c : cases) {
        ZqTimerSignalHandler handler([this] { return now; });
        handler.setStrategy(&strategy);
        // Every handler asks the process's one host channel.
        adapter->SetHostServices(c.tickLength ? &host : nullptr);
        host.tickLength = c.tickLength.value_or(0);
        host.clear();
        EXPECT_EQ(handler.registerTimer(c.interval, c.start, c.end, "u"), 0) << c.name;
        std::string fired;
        for (const std::string& t : c.ticks) fired += tick(t, &handler).empty() ? "." : "F";
        EXPECT_EQ(fired, c.fired) << c.name;
    }
}

// The callback gets the registered texts (null ones as empty) and the tick's context.
TEST_F(TimerTest, TimersEndingOnOneTickGoTogetherWhileOnesRegisteredInACallbackStay) {
    timers.registerTimer(1000, "", "09:30:01 000", "a");
    timers.registerTimer(1000, "", "09:30:05 000", "b");
    timers.registerTimer(1000, "", "09:30:01 000", "c");
    timers.registerTimer(1000, "", "", "d");
    bool registered = false;
    strategy.hook = [&](const std::string& what) {
        if (what != "d" || registered) return;
        registered = true;
        timers.registerTimer(1000, nullptr, nullptr, "new");
    };
    EXPECT_EQ(tick("09:30:02 000"), "b d");
    EXPECT_EQ(tick("09:30:03 000"), "b d new");
    EXPECT_EQ(strategy.lastTimer, "1000|||new");
    EXPECT_EQ(strategy.context, context);
    timers.registerTimer(1000, "09:00:00 000", "10:00:00 000", nullptr);
    tick("09:30:04 000");
    EXPECT_EQ(strategy.lastTimer, "1000|09:00:00 000|10:00:00 000|");
}

TEST_F(TimerTest, OneShotsFireOnceInTimeOrderThenRegistrationOrder) {
    const std::pair<const char*, const char*> registered[] = {
        {"09:30:02 000", "x"}, {"09:30:01 000", "y"}, {"09:30:02 000", "z"},
        {"09:30:05 000", "w"}, {"09:30:03 000", "v"},
    };
    for (auto [time, user] : registered) {
        ASSERT_EQ(timers.registerSingleTimer(time, user), 0) << user;
    }
    const std::pair<std::string, std::string> steps[] = {
        {"09:30:00 999", ""},
        {"09:30:01 000", "y@09:30:01 000"},
        {"09:30:04 000", "x@09:30:02 000 z@09:30:02 000 v@09:30:03 000"},  // ticks went missing meanwhile
        {"09:30:04 500", ""},
        {"09:31:00 000", "w@09:30:05 000"},
    };
    for (const auto& [clock, fired] : steps) {
        now = clock;
        EXPECT_EQ(tick("ignored tick " + clock), fired) << clock;
    }
}

TEST_F(TimerTest, AOneShotNotAfterNowIsRefusedWithAWarning) {
    const std::pair<const char*, const char*> refused[] = {
        {"09:30:00 000", "09:30:00 000"},
        {"09:29:59 999", "09:29:59 999"},
        {nullptr, ""},
    };
    for (auto [time, shown] : refused) {
        host.logs.clear();
        EXPECT_EQ(timers.registerSingleTimer(time, "no"), -1) << shown;
        ASSERT_EQ(host.logs.size(), 1u) << shown;
        const fake::HostLogLine& line = host.logs[0];
        EXPECT_EQ(std::tie(line.level, line.file, line.function, line.text),
                  std::make_tuple(2, std::string("zqtimersignalhandler"),
                                  std::string("ZqTimerSignalHandler::registerSingleTimer"),
                                  std::string("单次定时信号触发时间[") + shown +
                                      "]小于等于当前时间[09:30:00 000]，定时信号将不会被触发"));
    }
    EXPECT_EQ(timers.registerSingleTimer("09:30:00 001", "yes"), 0);
    now = "23:59:59 999";
    EXPECT_EQ(tick("t"), "yes@09:30:00 001");
}

TEST_F(TimerTest, AThrowingCallbackIsLoggedAndTheOthersStillRun) {
    timers.registerTimer(1000, "", "", "p1");
    timers.registerTimer(1000, "", "", "p2");
    timers.registerSingleTimer("09:30:00 500", "s1");
    timers.registerSingleTimer("09:30:00 500", "s2");
    strategy.hook = [](const std::string& what) {
        if (what == "p1" || what == "s1@09:30:00 500") throw std::runtime_error("boom");
    };
    now = "09:30:01 000";
    EXPECT_EQ(tick("09:30:01 000"), "p1 p2 s1@09:30:00 500 s2@09:30:00 500");
    EXPECT_EQ(host.logsContaining("onTimer 原因：boom").size(), 1u);
    EXPECT_EQ(host.logsContaining("onSingleTimer 原因：boom").size(), 1u);
}

// Registering threads race a firing thread whose clock moves 1 ms a tick
// (the system API's side of this: concurrency_test.cpp). One-shots due
// meanwhile fire once each; periodic timers (interval 1) never twice in a
// tick; on the last tick every timer fires exactly once.
TEST_F(TimerTest, ConcurrentRegistrationAndFiringLoseAndDuplicateNothing) {
    constexpr int kThreads = 4, kPerThread = 100, kTicks = 200, kEarly = 50, kLate = 19 * 3600000;
    std::atomic<int> ms{9 * 3600000};
    ZqTimerSignalHandler handler([&] { return timeOfDay(ms); });
    attach(handler);
    for (int i = 1; i <= kEarly; ++i) handler.registerSingleTimer(timeOfDay(ms + i).c_str(), "early");
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i) {
                const std::string user = std::to_string(t) + "/" + std::to_string(i);
                handler.registerTimer(1, "", "", user.c_str());
                handler.registerSingleTimer(timeOfDay(kLate + i).c_str(), user.c_str());
            }
        });
    }
    for (int i = 0; i < kTicks; ++i, ++ms) {
        const size_t from = strategy.fired.size();
        handler.fire(timeOfDay(ms).c_str(), context);
        const std::multiset<std::string> fired(strategy.fired.begin() + from, strategy.fired.end());
        for (const std::string& f : fired) EXPECT_EQ(fired.count(f), 1u) << f << " at tick " << i;
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(std::count_if(strategy.fired.begin(), strategy.fired.end(),
                            [](const std::string& f) { return f.rfind("early@", 0) == 0; }),
              kEarly);
    ms = kLate + kPerThread;
    tick("last", &handler);
    std::multiset<std::string> last(strategy.fired.begin(), strategy.fired.end());
    EXPECT_EQ(last.size(), 2u * kThreads * kPerThread);
    for (int t = 0; t < kThreads; ++t) {
        for (int i = 0; i < kPerThread; ++i) {
            const std::string user = std::to_string(t) + "/" + std::to_string(i);
            EXPECT_EQ(std::make_pair(last.count(user), last.count(user + "@" + timeOfDay(kLate + i))),
                      std::make_pair(size_t{1}, size_t{1}))
                << user;
        }
    }
}

}  // namespace
