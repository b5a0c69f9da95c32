// System-API costs a strategy pays per call: trading queries over many rows.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "fakedataaccess.h"
#include "fakehost.h"
#include "norq/izqcontext.h"
#include "platform/platform.h"
#include "zq/izqscriptadapter.h"

namespace {

// Runs the bench strategy library under a fake host and gives its context.
class StrategySession {
public:
    StrategySession() {
        host.accountIds = {{"stock", "880001"}};
        getAdapter()->SetHostServices(&host);
        getAdapter()->RunStrategy(BENCH_STRATEGY_PATH, "{}");
        library_ = zq::platform::loadLibrary(BENCH_STRATEGY_PATH);
        using ContextFn = Norq::IZqContext* (*)();
        auto contextOf = reinterpret_cast<ContextFn>(zq::platform::findSymbol(library_, "benchContext"));
        context = contextOf ? contextOf() : nullptr;
    }
    ~StrategySession() {
        getAdapter()->Uninit();
        getAdapter()->SetHostServices(nullptr);
        zq::platform::freeLibrary(library_);
    }

    fake::FakeHost host;
    Norq::IZqContext* context = nullptr;

private:
    zq::platform::ModuleHandle library_ = nullptr;
};

// getOrders over N rows: the per-row cost should stay flat as N grows.
void BM_GetOrders(benchmark::State& state) {
    StrategySession session;
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
