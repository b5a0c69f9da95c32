// The adapter under the threads a real host and strategy bring: the host
// delivers notifications on one thread while strategy threads place orders
// and register timers through the context the loaded test strategy was
// given. Nothing may be lost, duplicated or mixed up, and the ThreadSanitizer
// build runs this to find the data races that would not show here.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "adapterfixture.h"
#include "bytes.h"
#include "norq/izqcontext.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"
#include "zq/hostrows.h"
#include "zq/izqscriptadapter.h"

namespace {

constexpr int32_t kTickLength = 1000;

// A host any thread may call at once, as the host contract requires. It
// accepts every order and keeps its client order id, has an account of
// every type, and keeps the error lines.
class ConcurrentHost : public zq::HostServices {
public:
    int32_t Request(int32_t, const char*, zq::HostResult*) override { return -1; }
    void WriteLog(int32_t level, int32_t, const char*, const char*, const char* text, int32_t, const char*,
                  bool) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (level >= Norq::LOG_LEVEL_ERROR) errors_.push_back(text ? text : "");
    }
    void CleanUserLog(const char*) override {}
    int32_t Subscribe(int32_t, const char*) override { return 0; }
    int32_t Unsubscribe(int32_t, const char*) override { return 0; }
    void UnsubscribeAll() override {}
    void GetSnapshot(const char*, void* out) override { std::memset(out, 0, zq::kSnapshotSize); }
    void RegisterUserLog(const char*, const char*) override {}
    std::string GetAccountId(const char*) override { return "880001"; }
    std::string GetInstanceId() override { return "instance-1"; }
    int32_t SubmitOrder(const void* record, zq::HostResult* result) override {
        const auto& order = *static_cast<const zq::HostOrderRecord*>(record);
        std::lock_guard<std::mutex> lock(mutex_);
        orderIds_.push_back(fake::text(order.client_order_id));
        result->code = 0;
        return 0;
    }
    int32_t SubmitBuffer(int32_t, const void*, int32_t, zq::HostResult*) override { return -1; }
    int32_t GetTickLength() override { return kTickLength; }
    intptr_t Forward(intptr_t, intptr_t, intptr_t) override { return 0; }
    intptr_t PassToHost(intptr_t, intptr_t) override { return 0; }
    void GetText(std::string& out, intptr_t, intptr_t, bool) override { out.clear(); }

    // Read once every thread has been joined.
    std::vector<std::string> orderIds() const { return orderIds_; }
    std::vector<std::string> errors() const { return errors_; }

private:
    std::mutex mutex_;
    std::vector<std::string> orderIds_;  // guarded by mutex_
    std::vector<std::string> errors_;    // guarded by mutex_
};

class ConcurrencyTest : public ::testing::Test {
protected:
    void SetUp() override {
        adapter->Uninit();
        adapter->SetHostServices(&host);
        recorder().clear();
        ASSERT_EQ(adapter->RunStrategy(fake::libraryPath("teststrategy").c_str(), "{}"), zq::kResultOk);
        const fake::StrategyEvent* init = recorder().last(1);
        ASSERT_NE(init, nullptr);
        context = init->context;
        recorder().events.clear();
    }

    void TearDown() override {
        adapter->Uninit();
        adapter->SetHostServices(nullptr);
    }

    void deliver(uint32_t id, const void* payload) {
        const zq::NotifyMessage message{id, payload};
        EXPECT_EQ(adapter->OnNotifyMessage(&message), zq::kResultOk);
    }

    // The recorded callbacks of one slot, in the order they came.
    static std::vector<fake::StrategyEvent> eventsIn(int slot) {
        std::vector<fake::StrategyEvent> found;
        for (const fake::StrategyEvent& e : recorder().events)
            if (e.slot == slot) found.push_back(e);
        return found;
    }

    static fake::StrategyRecorder& recorder() { return fake::strategyRecorder(); }

    zq::IZqScriptAdapter* adapter = getAdapter();
    ConcurrentHost host;
    Norq::IZqContext* context = nullptr;
};

// The strategy's recorder is written by the delivering thread alone: every
// callback runs there, timer callbacks included.
TEST_F(ConcurrencyTest, NotificationsOrdersAndTimersFromSeveralThreadsLoseAndMixUpNothing) {
    constexpr int kRounds = 200, kOrderThreads = 2, kOrdersEach = 100, kTimerThreads = 2, kTimersEach = 50;
    constexpr int kBarSlot = 4, kOrderReportSlot = 7, kTimerSlot = 15;
    std::atomic<int> waiting{1 + kOrderThreads + kTimerThreads};
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

    std::vector<std::vector<std::string>> placed(kOrderThreads);
    for (int t = 0; t < kOrderThreads; ++t) {
        threads.emplace_back([&, t] {
            Norq::INorqSysApi* api = context->getSysApi();
            Norq::OrderRequest request{};
            std::strcpy(request.symbol, "600000.SH");
            request.amount = 100;
            request.side = 1;
            request.price = 10.5;
            startTogether();
            for (int i = 0; i < kOrdersEach; ++i)
                placed[t].push_back(fake::text(api->order(Norq::ACCOUNT_STOCK, request).order_id));
        });
    }

    std::vector<std::string> timers;
    for (int t = 0; t < kTimerThreads; ++t)
        for (int i = 0; i < kTimersEach; ++i) timers.push_back(std::to_string(t) + "/" + std::to_string(i));
    for (int t = 0; t < kTimerThreads; ++t) {
        threads.emplace_back([&, t] {
            Norq::INorqSysApi* api = context->getSysApi();
            startTogether();
            for (int i = 0; i < kTimersEach; ++i) {
                const std::string& user = timers[t * kTimersEach + i];
                EXPECT_EQ(api->registerTimer(kTickLength, "", "", user.c_str()), 0);
                // After every time of day, so it is accepted and never fires.
                EXPECT_EQ(api->registerSingleTimer("24:00:00 000", user.c_str()), 0);
            }
        });
    }
    for (std::thread& t : threads) t.join();

    std::vector<std::string> returned;
    for (const std::vector<std::string>& ids : placed) returned.insert(returned.end(), ids.begin(), ids.end());
    std::vector<std::string> received = host.orderIds();
    std::sort(returned.begin(), returned.end());
    std::sort(received.begin(), received.end());
    EXPECT_EQ(returned.size(), size_t{kOrderThreads * kOrdersEach});
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

    // Every timer has counted whole ticks since it came, so each fires on
    // the next one, exactly once.
    recorder().events.clear();
    deliver(zq::kNotifyTimerTick, "20240102 09:30:01 000");
    std::vector<std::string> fired;
    for (const fake::StrategyEvent& e : eventsIn(kTimerSlot)) fired.push_back(e.texts.at(2));
    std::sort(fired.begin(), fired.end());
    std::sort(timers.begin(), timers.end());
    EXPECT_EQ(fired, timers);
    EXPECT_EQ(host.errors(), std::vector<std::string>());
}

}  // namespace
