// The local host's replay loop: bars per second through the whole path (bar
// read from its file, bar JSON built, pushed through the adapter, converted, delivered to a
// strategy that does nothing, a timer tick, the account marked) with no
// orders. What bounds it is the JSON round trip of each bar: built by the
// host, parsed by the library. The replay sets the clock the adapter reads:
// after each run the strategy's own getCurrentTime, read through the library,
// must be the last bar's time, or the benchmark fails.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "benchsession.h"
#include "callwatch.h"
#include "dataprovider.h"
#include "localhost.h"
#include "norq/inorqsysapi.h"
#include "replay.h"
#include "zq/clocksource.h"

namespace {

// Two symbols of 1-minute bars, alternating, in a CSV file of its own.
std::string syntheticBars(size_t count) {
    std::string path = (std::filesystem::temp_directory_path() / "zq_bench_replay_bars.csv").string();
    std::FILE* out = std::fopen(path.c_str(), "w");
    std::fprintf(out, "symbol,time,open,high,low,close,volume\n");
    for (size_t i = 0; i < count; ++i) {
        int64_t minute = static_cast<int64_t>(i / 2);
        int64_t day = minute / 240, inDay = minute % 240;
        double price = 10 + static_cast<double>(i % 7) * 0.01;
        int64_t month = day / 28;
        std::fprintf(out, "%s,%04lld-%02lld-%02lld %02lld:%02lld:00,%.2f,%.2f,%.2f,%.2f,1000\n",
                     i % 2 ? "000001.SZ" : "600000.SH", static_cast<long long>(2024 + month / 12),
                     static_cast<long long>(1 + month % 12), static_cast<long long>(1 + day % 28),
                     static_cast<long long>(9 + (30 + inDay) / 60), static_cast<long long>((30 + inDay) % 60), price,
                     price, price, price);
    }
    std::fclose(out);
    return path;
}

void readClock(char out[22], void* market) {
    zqhost::writeHostTime(static_cast<const zqhost::Market*>(market)->now(), out);
    out[zqhost::kHostTimeBytes] = '\0';
}

void BM_ReplayBars(benchmark::State& state) {
    BenchSession session;
    if (!session.context) {
        state.SkipWithError("the bench strategy did not start");
        return;
    }
    zqhost::BarCatalog catalog;
    catalog.paths = {syntheticBars(static_cast<size_t>(state.range(0)))};
    std::string error;
    if (!zqhost::scanBarFiles(catalog, 0, error)) state.SkipWithError(error.c_str());
    zqhost::CallWatch watch(0);
    for (auto _ : state) {
        state.PauseTiming();
        zqhost::BarStream stream;
        stream.open(catalog, error);
        zqhost::Market market(catalog);
        zqhost::SimAccount account({1000000, 0, false}, market.symbols());
        zqhost::LocalHost host({{{"stock", "880001"}}, "bench-1", 1000}, &market, &account);
        SetClockSource(readClock, &market);
        getAdapter()->SetHostServices(&host);
        zqhost::Replay replay(*getAdapter(), host, catalog, stream, market, account, watch);
        state.ResumeTiming();
        replay.run(false, error);
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
