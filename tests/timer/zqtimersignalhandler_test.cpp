// The strategy's timers: which tick fires which callback, when timers end, and
// one-shots against a clock the test sets.
#include "timer/zqtimersignalhandler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <set>
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
    void note(Norq::IZqContext* ctx, const std::string& what) {
        context = ctx;
        fired.push_back(what);
        if (hook) hook(what);
    }

    std::vector<std::string> fired;
    std::string lastTimer;
    Norq::IZqContext* context = nullptr;
    std::function<void(const std::string&)> hook;  // runs after each note
};

class TimerTest : public fake::AdapterTest {
protected:
    void SetUp() override {
        AdapterTest::SetUp();
        timers.setStrategy(&strategy);
    }

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
    // Name, interval, start, end, tick length (none: no host), ticks, per tick F fired or . not.
    const std::tuple<const char*, int32_t, const char*, const char*, std::optional<int32_t>, std::vector<std::string>,
                     std::string>
        cases[] = {
            // clang-format off
        {"counts ticks", 3000, nullptr, nullptr, 1000,
         {"09:30:01 000", "09:30:02 000", "09:30:03 000", "09:30:04 000", "09:30:05 000", "09:30:06 000"}, "..F..F"},
        {"first tick at start fires uncounted; a tick's time is its last 12 characters", 2000, "09:30:00 000", "", 1000,
         {"20240101 09:29:59 999", "19991231 09:30:00 000", "09:30:01 000", "09:30:02 000"}, ".F.F"},
        {"end tick counts, the next ends it", 1000, "", "09:30:02 000", 1000,
         {"09:30:02 000", "09:30:02 001", "09:30:03 000"}, "F.."},
        {"start past the end fires once", 1000, "09:30:00 000", "09:30:01 000", 1000, {"09:30:05 000", "09:30:06 000"}, "F."},
        {"interval 0 never fires", 0, nullptr, nullptr, 1000, {"09:30:01 000"}, "."},
        {"most negative interval counts as its magnitude", INT32_MIN, nullptr, nullptr, 1 << 30,
         {"09:30:01 000", "09:30:02 000"}, ".F"},
        {"no host: length 0, fires every tick", 5000, nullptr, nullptr, std::nullopt, {"09:30:01 000", "09:30:02 000"}, "FF"},
            // clang-format on
        };
    for (const auto& [name, interval, start, end, tickLength, ticks, expected] : cases) {
        ZqTimerSignalHandler handler([this] { return now; });
        handler.setStrategy(&strategy);
        // Every handler asks the process's one host channel.
        adapter->SetHostServices(tickLength ? &host : nullptr);
        host.tickLength = tickLength.value_or(0);
        EXPECT_EQ(handler.registerTimer(interval, start, end, "u"), 0) << name;
        std::string fired;
        for (const std::string& t : ticks) fired += tick(t, &handler).empty() ? "." : "F";
        EXPECT_EQ(fired, expected) << name;
    }
}

// The callback gets the registered texts (null ones as empty) and the tick's context.
TEST_F(TimerTest, TimersEndingOnOneTickGoTogetherWhileOnesRegisteredInACallbackStay) {
    timers.registerTimer(1000, "", "09:30:01 000", "a");
    timers.registerTimer(1000, "", "09:30:05 000", "b");
    timers.registerTimer(1000, "", "09:30:01 000", "c");
    timers.registerTimer(1000, "", "", "d");
    int seen = 0;
    strategy.hook = [&](const std::string& what) {
        if (what == "d" && seen++ == 0) timers.registerTimer(1000, "09:00:00 000", nullptr, "new");
    };
    EXPECT_EQ(tick("09:30:02 000"), "b d");
    EXPECT_EQ(tick("09:30:03 000"), "b d new");
    EXPECT_EQ(strategy.lastTimer, "1000|09:00:00 000||new");
    EXPECT_EQ(strategy.context, context);
}

// A one-shot not after now is refused with a warning.
TEST_F(TimerTest, OneShotsFireOnceInTimeOrderThenRegistrationOrder) {
    const std::pair<const char*, const char*> registered[] = {
        {"09:30:02 000", "x"}, {"09:30:01 000", "y"}, {"09:30:02 000", "z"}, {"09:30:00 001", "first"}};
    for (auto [time, user] : registered) ASSERT_EQ(timers.registerSingleTimer(time, user), 0) << user;
    EXPECT_EQ(timers.registerSingleTimer("09:30:00 000", "no"), -1);
    EXPECT_EQ(timers.registerSingleTimer(nullptr, "no"), -1);
    const std::string refused = "]小于等于当前时间[09:30:00 000]，定时信号将不会被触发";
    const std::string where = "2 zqtimersignalhandler ZqTimerSignalHandler::registerSingleTimer: 单次定时信号触发时间[";
    EXPECT_EQ(host.logLines(), (std::vector<std::string>{where + "09:30:00 000" + refused, where + refused}));
    const std::pair<std::string, std::string> steps[] = {
        {"09:30:00 000", ""},
        {"09:30:01 000", "first@09:30:00 001 y@09:30:01 000"},
        {"09:30:04 000", "x@09:30:02 000 z@09:30:02 000"},  // ticks went missing meanwhile
        {"09:30:04 500", ""},
    };
    for (const auto& [clock, fired] : steps) {
        now = clock;
        EXPECT_EQ(tick("ignored tick " + clock), fired) << clock;
    }
}

// Registering threads race a firing thread (the system API's side of this:
// concurrency_test.cpp): periodic timers (interval 1) never fire twice in a
// tick, and once the one-shots are due every timer fires exactly once.
TEST_F(TimerTest, ConcurrentRegistrationAndFiringLoseAndDuplicateNothing) {
    constexpr size_t kThreads = 4, kPerThread = 100;
    std::atomic<bool> late{false};
    ZqTimerSignalHandler handler([&] { return late ? "19:00:00 000" : "09:00:00 000"; });
    handler.setStrategy(&strategy);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (size_t i = 0; i < kPerThread; ++i) {
                const std::string user = std::to_string(t) + "/" + std::to_string(i);
                handler.registerTimer(1, "", "", user.c_str());
                handler.registerSingleTimer("18:00:00 000", user.c_str());
            }
        });
    }
    auto distinct = [&] { return std::set<std::string>(strategy.fired.begin(), strategy.fired.end()).size(); };
    for (int i = 0; i < 200; ++i) {
        tick("09:00:00 000", &handler);
        EXPECT_EQ(distinct(), strategy.fired.size()) << "a timer fired twice at tick " << i;
    }
    for (std::thread& t : threads) t.join();
    late = true;
    tick("19:00:00 000", &handler);
    EXPECT_EQ(std::make_pair(strategy.fired.size(), distinct()),
              std::make_pair(2 * kThreads * kPerThread, 2 * kThreads * kPerThread));
}

}  // namespace
