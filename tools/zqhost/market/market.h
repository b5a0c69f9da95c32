// The replayed market: the simulated now (the time of the bar being
// delivered), each symbol's latest bar, and the history queries are answered
// from. Bars come from a BarStream as they are delivered; each symbol keeps
// its latest kKeptBars in memory, and a query reaching further back reads
// the files again. Nothing later than the bars seen so far is ever shown.
// One thread: the one driving the replay.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "barcatalog.h"
#include "bars.h"

namespace zqhost {

// A bar of the history, without what every bar of its symbol shares.
struct PastBar {
    int64_t stamp;
    int64_t seconds;
    double open, high, low, close, volume, amount;
};

class Market {
public:
    static constexpr size_t kKeptBars = 4096;

    explicit Market(const BarCatalog& catalog);

    std::set<std::string> symbols() const;
    // The bar about to be delivered: it becomes now.
    void advance(const Bar& bar);
    // A bar before the start: history, not delivered; now does not move.
    void remember(const Bar& bar);
    int64_t now() const { return now_; }
    // The simulated clock: now, and the first bar's time before the first
    // bar is delivered (0 without bars).
    int64_t clock() const { return now_ != 0 ? now_ : catalog_.firstDelivered; }
    // The symbol's latest bar up to now, or null.
    const Bar* lastBar(const std::string& symbol) const;
    // The symbol's bar period in seconds, 0 for an unknown symbol.
    int32_t period(const std::string& symbol) const;
    // The symbol's bars from `start` to `end` (stamps, both included) seen so far, in time order.
    std::vector<PastBar> history(const std::string& symbol, int64_t start, int64_t end) const;

    int64_t delivered() const { return delivered_; }
    int64_t firstStamp() const { return first_; }
    // The time of the last bar the run delivers.
    int64_t lastStamp() const { return catalog_.lastDelivered; }

private:
    struct Symbol {
        Bar last;
        bool seen = false;
        std::vector<PastBar> kept;  // a ring once full: the oldest at `oldest`
        size_t oldest = 0;
        int64_t forgotten = INT64_MIN;  // the stamp of the latest bar no longer kept
    };
    void keep(const Bar& bar);
    void readAgain(const std::string& symbol, int64_t start, int64_t end, std::vector<PastBar>& found) const;

    const BarCatalog& catalog_;
    std::vector<Symbol> symbols_;  // by symbol id
    int64_t now_ = 0;
    int64_t first_ = 0;
    int64_t delivered_ = 0;
};

}  // namespace zqhost
