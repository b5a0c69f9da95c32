// A strategy that misbehaves the way its parameters ask, for zqhost runs as
// a user makes them: it throws at a chosen bar or tick, crashes, reads a run
// parameter the run does not have, loads a Python file, or takes its time
// over each bar. Built from the public headers only.
// PROBE_THROWING_SCHEMA makes getParams itself throw.
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

#include "norq/norq.h"

namespace {

class ProbeStrategy : public Norq::StrategyHandlerBase {
public:
    Norq::StrategyParams getParams() override {
#if defined(PROBE_THROWING_SCHEMA)
        throw std::runtime_error("no schema today");
#endif
        Norq::StrategyParams params;
        params.addIntParam("throw_at_bar", 0, "the bar whose onKLine throws (0: none; -1: every timer tick)");
        params.addIntParam("crash_at_bar", 0, "the bar whose onKLine crashes (0: none)");
        params.addStrParam("read_param", "", "a run parameter to read in onInit");
        params.addStrParam("python_file", "", "a Python file to load in onInit");
        params.addIntParam("bar_micros", 0, "how long each onKLine takes");
        return params;
    }

    void onInit(Norq::IZqContext* ctx) override {
        Norq::StrategyParams* params = ctx->getRunParams();
        throwAt_ = params->getIntValue("throw_at_bar");
        crashAt_ = params->getIntValue("crash_at_bar");
        barMicros_ = params->getIntValue("bar_micros");
        if (throwAt_ < 0) ctx->getSysApi()->registerTimer(1000, "", "", "");
        std::string read = params->getStrValue("read_param").str();
        // Read twice: the host's hint comes once.
        for (int i = 0; i < 2 && !read.empty(); ++i) params->getIntValue(read.c_str());
        std::string python = params->getStrValue("python_file").str();
        if (!python.empty()) ctx->getPythonExecutor()->registerPythonFile(python.c_str());
    }

    void onKLine(Norq::IZqContext*, const Norq::KLineDataPush*) override {
        ++bars_;
        if (bars_ == throwAt_) throw std::runtime_error("bar " + std::to_string(bars_) + " is one too many");
        if (bars_ == crashAt_) std::abort();
        if (barMicros_ > 0) std::this_thread::sleep_for(std::chrono::microseconds(barMicros_));
    }

    void onTimer(Norq::IZqContext*, int32_t, const char*, const char*, const char*) override {
        if (throwAt_ < 0) throw std::runtime_error("one tick too many");
    }

    void onStop(Norq::IZqContext*) override {
        Norq::ZqLog(__FILE__, __LINE__, "ProbeStrategy::onStop").info() << "stopped after " << bars_ << " bars";
    }

private:
    int32_t throwAt_ = 0, crashAt_ = 0, barMicros_ = 0, bars_ = 0;
};

ProbeStrategy strategy;

}  // namespace

extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &strategy;
}
