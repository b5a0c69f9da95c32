// The local host's replay loop: bars per second through the whole path (bar
// JSON built, pushed through the adapter, converted, delivered to a
// strategy that does nothing, a timer tick, the account marked) with no
// orders. What bounds it is the JSON round trip of each bar: built by the
// host, parsed by the library. The replay sets the clock the adapter reads:
// after each run the strategy's own getCurrentTime, read through the library,
// must be the last bar's time, or the benchmark fails.
#include <benchmark/benchmark.h>

#include "benchsession.h"
#include "callwatch.h"
#include "dataprovider.h"
#include "localhost.h"
#include "norq/inorqsysapi.h"
#include "replay.h"
#include "zq/clocksource.h"

namespace {

std::vector<zqhost::Bar> syntheticBars(size_t count) {
    std::vector<zqhost::Bar> bars(count);
    for (size_t i = 0; i < count; ++i) {
        zqhost::Bar& bar = bars[i];
        bar.symbol = i % 2 ? "000001.SZ" : "600000.SH";
        int64_t minute = static_cast<int64_t>(i / 2);
        bar.seconds = 1704187800 + minute * 60;
        int64_t day = minute / 240, inDay = minute % 240;
        bar.stamp = (20240102 + day) * 1000000LL + (9 + (30 + inDay) / 60) * 10000 + ((30 + inDay) % 60) * 100;
        bar.open = bar.high = bar.low = bar.close = 10 + (i % 7) * 0.01;
        bar.volume = 1000;
    }
    return bars;
}

void readClock(char out[22], void* market) {
    std::snprintf(out, 22, "%s", zqhost::hostTime(static_cast<const zqhost::Market*>(market)->now()).c_str());
}

void BM_ReplayBars(benchmark::State& state) {
    BenchSession session;
    if (!session.context) {
        state.SkipWithError("the bench strategy did not start");
        return;
    }
    const std::vector<zqhost::Bar> bars = syntheticBars(static_cast<size_t>(state.range(0)));
    zqhost::CallWatch watch(0);
    for (auto _ : state) {
        state.PauseTiming();
        zqhost::Market market(bars);
        zqhost::SimAccount account({1000000, 0, false}, market.symbols());
        zqhost::LocalHost host({{{"stock", "880001"}}, "bench-1", 1000}, &market, &account);
        SetClockSource(readClock, &market);
        getAdapter()->SetHostServices(&host);
        zqhost::Replay replay(*getAdapter(), host, market, account, watch);
        state.ResumeTiming();
        replay.run(false);
        state.PauseTiming();
        const std::string now = session.context->getSysApi()->getCurrentTime().str();
        getAdapter()->SetHostServices(&session.host);
        SetClockSource(nullptr, nullptr);
        if (now != zqhost::hostTime(market.now())) {
            state.SkipWithError(("the library reads another clock than the replay's: " + now).c_str());
            break;
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplayBars)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
