// The replayed market: every bar in time order and the simulated now, the
// time of the bar being delivered. Nothing later than now is ever shown.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "bars.h"

namespace zqhost {

class Market {
public:
    explicit Market(std::vector<Bar> bars);

    const std::vector<Bar>& bars() const { return bars_; }
    std::set<std::string> symbols() const;
    // Makes bars()[index] the current bar.
    void advanceTo(size_t index);
    int64_t now() const { return now_; }
    // The simulated clock: now, and the first bar's time before the first
    // bar is delivered (0 without bars).
    int64_t clock() const { return now_ != 0 || bars_.empty() ? now_ : bars_.front().stamp; }
    // The symbol's latest bar up to now, or null.
    const Bar* lastBar(const std::string& symbol) const;
    // The symbol's bars from `start` to `end` (stamps, both included) that
    // are not later than now.
    std::vector<const Bar*> history(const std::string& symbol, int64_t start, int64_t end) const;

private:
    std::vector<Bar> bars_;
    std::map<std::string, std::vector<size_t>> bySymbol_;  // indices into bars_, in time order
    std::map<std::string, size_t> last_;                   // latest index per symbol up to now
    size_t next_ = 0;                                      // bars before it are known
    int64_t now_ = 0;
};

}  // namespace zqhost
