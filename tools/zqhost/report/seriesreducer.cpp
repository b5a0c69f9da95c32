#include "seriesreducer.h"

#include <algorithm>

namespace zqhost {

SeriesReducer::SeriesReducer(std::size_t buckets) : buckets_(std::max<std::size_t>(buckets, 2)) {}

void SeriesReducer::add(int64_t tag, double value) {
    SeriesPoint point{tag, value};
    const int64_t index = count_++;
    if (runs_.empty() || runs_.back().length == runLength_) {
        if (runs_.size() == buckets_) halve();
        if (runs_.empty() || runs_.back().length == runLength_) {
            runs_.push_back(Run{point, point, point, point, index, index, index, index, 1});
            return;
        }
    }
    Run& run = runs_.back();
    if (value < run.low.value) run.low = point, run.lowIndex = index;
    if (value > run.high.value) run.high = point, run.highIndex = index;
    run.last = point, run.lastIndex = index;
    ++run.length;
}

// Merges neighbouring runs in pairs; the lowest and highest of a pair are
// those of the pair's runs.
void SeriesReducer::halve() {
    std::vector<Run> merged;
    merged.reserve(buckets_);
    for (std::size_t i = 0; i < runs_.size(); i += 2) {
        Run run = runs_[i];
        if (i + 1 < runs_.size()) {
            const Run& next = runs_[i + 1];
            if (next.low.value < run.low.value) run.low = next.low, run.lowIndex = next.lowIndex;
            if (next.high.value > run.high.value) run.high = next.high, run.highIndex = next.highIndex;
            run.last = next.last, run.lastIndex = next.lastIndex;
            run.length += next.length;
        }
        merged.push_back(run);
    }
    runs_ = std::move(merged);
    runLength_ *= 2;
}

std::vector<SeriesPoint> SeriesReducer::points() const {
    std::vector<SeriesPoint> out;
    for (const Run& run : runs_) {
        std::pair<int64_t, SeriesPoint> kept[] = {{run.firstIndex, run.first}, {run.lowIndex, run.low},
                                                  {run.highIndex, run.high}, {run.lastIndex, run.last}};
        std::sort(std::begin(kept), std::end(kept),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        int64_t previous = -1;
        for (const auto& [index, point] : kept) {
            if (index != previous) out.push_back(point);
            previous = index;
        }
    }
    return out;
}

}  // namespace zqhost
