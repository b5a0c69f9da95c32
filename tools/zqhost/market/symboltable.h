// The replay's symbols, each held once: bars carry a symbol's index, so
// what the replay keeps per symbol is found without comparing texts. Filled
// while the bar files are read; one thread.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zqhost {

class SymbolTable {
public:
    // The symbol's index, given a new one the first time it is seen.
    uint32_t intern(std::string_view symbol) {
        auto found = index_.find(symbol);
        if (found != index_.end()) return found->second;
        names_.emplace_back(symbol);
        uint32_t id = static_cast<uint32_t>(names_.size() - 1);
        index_.emplace(names_.back(), id);
        return id;
    }
    // The index of a known symbol, or -1.
    int64_t find(std::string_view symbol) const {
        auto found = index_.find(symbol);
        return found == index_.end() ? -1 : found->second;
    }
    const std::string& name(uint32_t id) const { return names_[id]; }
    size_t size() const { return names_.size(); }

private:
    std::deque<std::string> names_;  // a deque, so the texts index_ points into never move
    std::unordered_map<std::string_view, uint32_t> index_;
};

}  // namespace zqhost
