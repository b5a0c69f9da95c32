// The adapter under the threads a real host and strategy bring: the host
// delivers notifications on one thread while strategy threads place orders
// and register timers. Nothing may be lost, duplicated or mixed up; the
// ThreadSanitizer build runs this to find the races that would not show here.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "adapterfixture.h"
#include "bytes.h"
#include "norq/izqcontext.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"
#include "zq/hostrows.h"

namespace {

using ConcurrencyTest = fake::AdapterTest;

// The strategy's recorder is written by the delivering thread alone: every
// callback runs there, timer callbacks included.
TEST_F(ConcurrencyTest, NotificationsOrdersAndTimersFromSeveralThreadsLoseAndMixUpNothing) {
    constexpr int kRounds = 200, kThreads = 2, kOrdersEach = 100, kTimersEach = 50;
    constexpr int kTickLength = 1000, kBarSlot = 4, kOrderReportSlot = 7, kTimerSlot = 15;
    host.accountIds = {{"stock", "880001"}};
    host.tickLength = kTickLength;
    Norq::IZqContext* const context = runTestStrategy();
    ASSERT_NE(context, nullptr);
    auto deliver = [this](uint32_t id, const void* payload) {
        const zq::NotifyMessage message{id, payload};
        EXPECT_EQ(adapter->OnNotifyMessage(&message), zq::kResultOk);
    };
    auto eventsIn = [](int slot) {
        std::vector<fake::StrategyEvent> found;
        for (const fake::StrategyEvent& e : recorder().events)
            if (e.slot == slot) found.push_back(e);
        return found;
    };
    recorder().events.clear();
    std::atomic<int> waiting{1 + 2 * kThreads};
    auto startTogether = [&] {
        for (--waiting; waiting > 0;) std::this_thread::yield();
    };
    std::vector<std::thread> threads;
    threads.emplace_back([&] {
        startTogether();
        for (int i = 0; i < kRounds; ++i) {
            const std::string bar = R"({"security_symbol":"600000.SH","close":)" + std::to_string(i) + "}";
            deliver(zq::kNotifyBar, bar.c_str());
            zq::OrderRow report{};
            std::snprintf(report.order_id, sizeof report.order_id, "O-%d", i);
            deliver(zq::kNotifyOrderReport, &report);
            deliver(zq::kNotifyTimerTick, "20240102 09:30:00 000");
        }
    });
    std::vector<std::string> returned(kThreads * kOrdersEach), timers;  // each order thread its own slice
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kTimersEach; ++i) timers.push_back(std::to_string(t) + "/" + std::to_string(i));
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            Norq::INorqSysApi* api = context->getSysApi();
            const Norq::OrderRequest request = {"600000.SH", 100, 1, 10.5, "", 0, 0, 0, 0, 0, 0, {}, 0, 0};
            startTogether();
            for (int i = 0; i < kOrdersEach; ++i)
                returned[t * kOrdersEach + i] = fake::text(api->order(Norq::ACCOUNT_STOCK, request).order_id);
        });
        threads.emplace_back([&, t] {
            Norq::INorqSysApi* api = context->getSysApi();
            startTogether();
            for (int i = 0; i < kTimersEach; ++i) {
                const char* user = timers[t * kTimersEach + i].c_str();
                EXPECT_EQ(api->registerTimer(kTickLength, "", "", user), 0);
                // After every time of day, so it is accepted and never fires.
                EXPECT_EQ(api->registerSingleTimer("24:00:00 000", user), 0);
            }
        });
    }
    for (std::thread& t : threads) t.join();

    std::vector<std::string> received;
    for (const fake::HostCall& call : host.callsTo(24))
        received.push_back(fake::text(fake::recordAt<zq::HostOrderRecord>(call.bytes).client_order_id));
    std::sort(returned.begin(), returned.end());
    std::sort(received.begin(), received.end());
    EXPECT_EQ(std::adjacent_find(returned.begin(), returned.end()), returned.end()) << "client order ids repeat";
    EXPECT_EQ(std::count(returned.begin(), returned.end(), ""), 0) << "an order was refused";
    EXPECT_EQ(received, returned) << "the host got other orders than the strategy was told";

    const std::vector<fake::StrategyEvent> bars = eventsIn(kBarSlot), reports = eventsIn(kOrderReportSlot);
    ASSERT_EQ(bars.size(), size_t{kRounds});
    ASSERT_EQ(reports.size(), size_t{kRounds});
    for (int i = 0; i < kRounds; ++i) {
        EXPECT_EQ(fake::recordAt<Norq::KLineDataPush>(bars[i].bytes).close, i);
        EXPECT_EQ(fake::text(fake::recordAt<Norq::Order>(reports[i].bytes).order_id), "O-" + std::to_string(i));
    }

    // Every timer has counted whole ticks since it came: each fires once now.
    recorder().events.clear();
    deliver(zq::kNotifyTimerTick, "20240102 09:30:01 000");
    std::vector<std::string> fired;
    for (const fake::StrategyEvent& e : eventsIn(kTimerSlot)) fired.push_back(e.texts.at(2));
    std::sort(fired.begin(), fired.end());
    std::sort(timers.begin(), timers.end());
    EXPECT_EQ(fired, timers);
    for (const fake::HostLogLine& line : host.logs) EXPECT_LT(line.level, Norq::LOG_LEVEL_ERROR) << line.text;
}

}  // namespace
