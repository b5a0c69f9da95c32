// The home of the strategy's timers. Today it holds the host pointer and the
// strategy that timer callbacks go to; registering and firing timers come
// later. One per process, created on first use; it outlives strategy
// reloads, only the strategy it calls changes.
#pragma once

#include <atomic>

#include "host/zqapibase.h"
#include "norq/istrategyhandler.h"

class ZqTimerSignalHandler : public ZqApiBase {
public:
    static ZqTimerSignalHandler& instance();

    // The strategy that receives the timer callbacks; null when none is loaded.
    void setStrategy(Norq::IStrategyHandler* strategy) { strategy_.store(strategy); }
    Norq::IStrategyHandler* strategy() const { return strategy_.load(); }

private:
    ZqTimerSignalHandler() = default;
    std::atomic<Norq::IStrategyHandler*> strategy_{nullptr};
};
