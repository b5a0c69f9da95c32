// A do-nothing strategy library for benchmarks: it hands out the context its
// onInit received, so a benchmark can call the system API as a strategy does.
#include "norq/norq.h"

namespace {

Norq::IZqContext* context = nullptr;

class BenchStrategy : public Norq::StrategyHandlerBase {
public:
    Norq::StrategyParams getParams() override { return Norq::StrategyParams(); }
    void onInit(Norq::IZqContext* ctx) override { context = ctx; }
    void onKLine(Norq::IZqContext*, const Norq::KLineDataPush* bar) override { lastClose = bar->close; }

    volatile double lastClose = 0;
};

BenchStrategy strategy;

}  // namespace

extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &strategy;
}

extern "C" NORQ_STRATEGY_EXPORT Norq::IZqContext* benchContext() {
    return context;
}
