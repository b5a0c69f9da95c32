// System-API costs a strategy pays per call: trading queries over many rows.
#include <benchmark/benchmark.h>

#include <QUuid>
#include <chrono>
#include <cstring>
#include <limits>
#include <string>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "benchsession.h"
#include "fakedataaccess.h"
#include "hostos.h"

namespace {

// glibc hands freed memory beyond a threshold back to the kernel, and every
// large query then pays again for fresh zeroed pages: for the data-access
// stand-in's two copies of the rows as much as for the records. A trading
// process that has run for a while mostly reuses its heap instead. The
// per-row goal compares sizes in that second state, where what differs is
// the code and the caches; the first is reported beside it.
class AllocatorKeepsFreedMemory {
public:
    AllocatorKeepsFreedMemory() {
#ifdef __GLIBC__
        mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
        mallopt(M_MMAP_THRESHOLD, 1 << 30);
#endif
    }
    ~AllocatorKeepsFreedMemory() {
#ifdef __GLIBC__
        mallopt(M_TRIM_THRESHOLD, 128 * 1024);
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        malloc_trim(0);
#endif
    }
};

// getOrders over N rows: the per-row cost should stay flat as N grows.
void getOrdersOver(benchmark::State& state) {
    BenchSession session;
    if (!session.context) {
        state.SkipWithError("the bench strategy did not start");
        return;
    }
    fake::FakeDataAccess data;
    std::vector<zq::OrderRow> rows(static_cast<size_t>(state.range(0)));
    for (size_t i = 0; i < rows.size(); ++i) {
        std::snprintf(rows[i].order_id, sizeof rows[i].order_id, "O-%zu", i);
        std::strcpy(rows[i].status, "2");
        rows[i].date = 20240102;
        rows[i].time_of_day = 93015;
    }
    data.setRows("QueryEntrust", rows);
    Norq::INorqSysApi* api = session.context->getSysApi();
    // The time that counts is the library's own: the whole query less what
    // the test provider and the data-access stand-in take to hand the rows
    // out and back, measured alongside on the same rows.
    ZqOrderQuery everything{};
    for (auto _ : state) {
        data.calls.clear();
        auto start = std::chrono::steady_clock::now();
        ZqTradeAnswer answer = QueryEntrust(&everything);
        ReleaseMem(answer.rows);
        auto handedOut = std::chrono::steady_clock::now();
        Norq::OrderList orders = api->getOrders(Norq::ACCOUNT_STOCK, Norq::TradeQuery{});
        benchmark::DoNotOptimize(orders.getSize());
        auto done = std::chrono::steady_clock::now();
        double own = std::chrono::duration<double>((done - handedOut) - (handedOut - start)).count();
        state.SetIterationTime(own > 0 ? own : 1e-9);
    }
    state.SetComplexityN(state.range(0));
    state.counters["peak_MiB"] = static_cast<double>(zqhost::os::peakResidentBytes()) / (1 << 20);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_GetOrders(benchmark::State& state) {
    AllocatorKeepsFreedMemory kept;
    getOrdersOver(state);
}

void BM_GetOrdersFreshPages(benchmark::State& state) {
    getOrdersOver(state);
}

// One order through the system API to host slot 24, next to its floor: the
// one UUID every order needs.
void BM_OrderToHost(benchmark::State& state) {
    BenchSession session;
    Norq::OrderRequest request{};
    std::strcpy(request.symbol, "600000.SH");
    request.amount = 100;
    request.side = 1;
    request.price = 10.5;
    Norq::INorqSysApi* api = session.context->getSysApi();
    for (auto _ : state) {
        session.host.calls.clear();
        benchmark::DoNotOptimize(api->order(Norq::ACCOUNT_STOCK, request).status);
    }
}
BENCHMARK(BM_OrderToHost);

void BM_UuidFloor(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(QUuid::createUuid().toString());
}
BENCHMARK(BM_UuidFloor);

BENCHMARK(BM_GetOrders)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->UseManualTime()
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetOrdersFreshPages)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
