#include "strategyrecorder.h"

namespace fake {

std::vector<int> StrategyRecorder::slots() const {
    std::vector<int> result;
    for (const StrategyEvent& e : events) result.push_back(e.slot);
    return result;
}

const StrategyEvent* StrategyRecorder::last(int slot) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        if (it->slot == slot) return &*it;
    }
    return nullptr;
}

void StrategyRecorder::clear() {
    *this = StrategyRecorder();
}

StrategyRecorder& strategyRecorder() {
    static StrategyRecorder recorder;
    return recorder;
}

}  // namespace fake
