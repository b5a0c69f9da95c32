// The sample moving-average strategy with one broken parameter set: with
// averages 4/15 it crashes as it starts, so a sweep over the sample has a set
// that fails while the others finish.
#include <cstdlib>

#define getStrategyHandler macrossStrategyHandler
#include "../../examples/macross/macross.cpp"
#undef getStrategyHandler

namespace {

class FaultyWindow : public MaCrossStrategy {
public:
    void onInit(Norq::IZqContext* ctx) override {
        Norq::StrategyParams* params = ctx->getRunParams();
        if (params->getIntValue("short_window") == 4 && params->getIntValue("long_window") == 15) std::abort();
        MaCrossStrategy::onInit(ctx);
    }
};

FaultyWindow faulty;

}  // namespace

extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &faulty;
}
