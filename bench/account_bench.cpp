// The simulated account's cost per bar as a run grows: one symbol of
// random-walk 1-minute bars with full-precision prices, the sample
// moving-average strategy's orders (5/20 averages, a market order of 100 on
// every crossing), each bar filled, its reports built and queued by the
// local host and taken, the equity marked. Orders and fills pile up in the
// account's history as the run goes; a bar must cost the same at the end of
// ten million bars as after a hundred thousand.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

#include "account.h"
#include "localhost.h"

namespace {

constexpr const char* kSymbol = "600000.SH";
constexpr int kShortWindow = 5;
constexpr int kLongWindow = 20;
constexpr int kBarsPerDay = 240;

// A moving average over a ring of the last `window` closes.
class Average {
public:
    explicit Average(int window) : values_(static_cast<size_t>(window)) {}
    void add(double value) {
        sum_ += value - values_[next_];
        values_[next_] = value;
        next_ = (next_ + 1) % values_.size();
        if (count_ < values_.size()) ++count_;
    }
    bool ready() const { return count_ == values_.size(); }
    double value() const { return sum_ / static_cast<double>(values_.size()); }

private:
    std::vector<double> values_;
    size_t next_ = 0, count_ = 0;
    double sum_ = 0;
};

class AccountRun {
public:
    AccountRun()
        : account_({1e12, 0.0003, false}, {kSymbol}),
          host_({{{"stock", "880001"}}, "bench-1", 1000}, nullptr, &account_) {
        bar_.symbol = kSymbol;
        bar_.volume = 100000;
    }

    // Delivers `count` bars; returns the orders placed.
    int64_t replay(int64_t count) {
        std::mt19937_64 random(20240102);
        std::normal_distribution<double> step(0, 0.001);
        double price = 10;
        zqhost::Push push;
        for (int64_t i = 0; i < count; ++i) {
            nextBar(i, price);
            price *= std::exp(step(random));
            host_.reportChanges(account_.onBar(bar_));
            while (host_.takePush(push)) benchmark::DoNotOptimize(push.row.data());
            trade();
            benchmark::DoNotOptimize(account_.equity());
        }
        return static_cast<int64_t>(account_.orders().size());
    }

private:
    void nextBar(int64_t i, double open) {
        int64_t day = i / kBarsPerDay, minute = 9 * 60 + 30 + i % kBarsPerDay;
        bar_.stamp = (20000101 + day) * 1000000 + (minute / 60) * 10000 + (minute % 60) * 100;
        bar_.seconds = 946690200 + i * 60;
        bar_.open = open;
        bar_.close = open * (1 + (i % 3 - 1) * 0.0005);
        bar_.high = std::fmax(bar_.open, bar_.close) * 1.0002;
        bar_.low = std::fmin(bar_.open, bar_.close) * 0.9998;
    }

    // The sample strategy: on a crossing, buy, or sell what is held.
    void trade() {
        short_.add(bar_.close);
        long_.add(bar_.close);
        if (!long_.ready()) return;
        int side = short_.value() > long_.value() ? 1 : 2;
        if (side_ != 0 && side != side_ && (side == 1 || held() > 0)) place(side);
        side_ = side;
    }

    int64_t held() const {
        auto it = account_.positions().find(kSymbol);
        return it == account_.positions().end() ? 0 : it->second.amount - it->second.reserved;
    }

    void place(int side) {
        zq::HostOrderRecord record{};
        std::snprintf(record.client_order_id, sizeof record.client_order_id, "o%zu", account_.orders().size());
        std::strcpy(record.account_id, "880001");
        std::strcpy(record.request.symbol, kSymbol);
        std::strcpy(record.request.price_type, "a");
        record.request.side = side;
        record.request.amount = 100;
        host_.reportChanges({account_.place(record, 0, bar_.stamp)}, {});
    }

    zqhost::SimAccount account_;
    zqhost::LocalHost host_;
    zqhost::Bar bar_;
    Average short_{kShortWindow}, long_{kLongWindow};
    int side_ = 0;
};

void BM_AccountBars(benchmark::State& state) {
    const int64_t count = state.range(0);
    int64_t orders = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto run = std::make_unique<AccountRun>();
        state.ResumeTiming();
        orders = run->replay(count);
        state.PauseTiming();
        run.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["orders"] = static_cast<double>(orders);
}
BENCHMARK(BM_AccountBars)->Arg(100000)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

}  // namespace
