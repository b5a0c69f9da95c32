#include "market.h"

namespace zqhost {

Market::Market(std::vector<Bar> bars) : bars_(std::move(bars)) {
    for (size_t i = 0; i < bars_.size(); ++i) bySymbol_[bars_[i].symbol].push_back(i);
}

std::set<std::string> Market::symbols() const {
    std::set<std::string> symbols;
    for (const auto& entry : bySymbol_) symbols.insert(entry.first);
    return symbols;
}

void Market::advanceTo(size_t index) {
    for (; next_ <= index && next_ < bars_.size(); ++next_) last_[bars_[next_].symbol] = next_;
    if (index < bars_.size()) now_ = bars_[index].stamp;
}

const Bar* Market::lastBar(const std::string& symbol) const {
    auto it = last_.find(symbol);
    return it == last_.end() ? nullptr : &bars_[it->second];
}

std::vector<const Bar*> Market::history(const std::string& symbol, int64_t start, int64_t end) const {
    std::vector<const Bar*> found;
    auto it = bySymbol_.find(symbol);
    if (it == bySymbol_.end()) return found;
    for (size_t index : it->second) {
        const Bar& bar = bars_[index];
        if (index >= next_ || bar.stamp > end) break;
        if (bar.stamp >= start) found.push_back(&bar);
    }
    return found;
}

}  // namespace zqhost
