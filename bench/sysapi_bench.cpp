// System-API costs a strategy pays per call: trading queries over many rows.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "benchsession.h"
#include "fakedataaccess.h"

namespace {


// getOrders over N rows: the per-row cost should stay flat as N grows.
void BM_GetOrders(benchmark::State& state) {
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
    for (auto _ : state) {
        data.calls.clear();
        Norq::OrderList orders = api->getOrders(Norq::ACCOUNT_STOCK, Norq::TradeQuery{});
        benchmark::DoNotOptimize(orders.getSize());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GetOrders)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

}  // namespace
