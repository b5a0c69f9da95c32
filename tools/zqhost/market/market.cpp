#include "market.h"

#include <algorithm>

#include "barfile.h"

namespace zqhost {

namespace {

PastBar pastBar(const Bar& bar) {
    return PastBar{bar.stamp, bar.seconds, bar.open, bar.high, bar.low, bar.close, bar.volume, bar.amount};
}

}  // namespace

Market::Market(const BarCatalog& catalog) : catalog_(catalog), symbols_(catalog.symbols.size()) {}

std::set<std::string> Market::symbols() const {
    std::set<std::string> names;
    for (uint32_t id = 0; id < catalog_.symbols.size(); ++id) names.insert(catalog_.symbols.name(id));
    return names;
}

void Market::keep(const Bar& bar) {
    if (bar.symbolId >= symbols_.size()) symbols_.resize(bar.symbolId + 1);
    Symbol& symbol = symbols_[bar.symbolId];
    symbol.last = bar;
    symbol.seen = true;
    if (symbol.kept.size() < kKeptBars) {
        symbol.kept.push_back(pastBar(bar));
        return;
    }
    symbol.forgotten = symbol.kept[symbol.oldest].stamp;
    symbol.kept[symbol.oldest] = pastBar(bar);
    symbol.oldest = (symbol.oldest + 1) % kKeptBars;
}

void Market::advance(const Bar& bar) {
    keep(bar);
    now_ = bar.stamp;
    if (delivered_++ == 0) first_ = bar.stamp;
}

void Market::remember(const Bar& bar) {
    keep(bar);
}

const Bar* Market::lastBar(const std::string& symbol) const {
    int64_t id = catalog_.symbols.find(symbol);
    if (id < 0 || static_cast<size_t>(id) >= symbols_.size() || !symbols_[id].seen) return nullptr;
    return &symbols_[id].last;
}

int32_t Market::period(const std::string& symbol) const {
    int64_t id = catalog_.symbols.find(symbol);
    return id < 0 ? 0 : catalog_.symbolPeriod[static_cast<size_t>(id)];
}

std::vector<PastBar> Market::history(const std::string& symbol, int64_t start, int64_t end) const {
    std::vector<PastBar> found;
    int64_t id = catalog_.symbols.find(symbol);
    if (id < 0 || static_cast<size_t>(id) >= symbols_.size()) return found;
    const Symbol& known = symbols_[id];
    if (start <= known.forgotten) readAgain(symbol, start, std::min(end, known.forgotten), found);
    for (size_t i = 0; i < known.kept.size(); ++i) {
        const PastBar& bar = known.kept[(known.oldest + i) % known.kept.size()];
        if (bar.stamp > end) break;
        if (bar.stamp >= start) found.push_back(bar);
    }
    return found;
}

// Reads every row again: the ones wanted were delivered, so they read well,
// and a bad row further on is passed over.
void Market::readAgain(const std::string& symbol, int64_t start, int64_t end, std::vector<PastBar>& found) const {
    const int64_t id = catalog_.symbols.find(symbol);
    std::string error;
    Bar bar;
    for (const std::string& path : catalog_.paths) {
        BarFile file;
        if (!file.open(path, error)) continue;
        while (!file.finished()) {
            if (file.next(bar, catalog_.symbols, error) && bar.symbolId == id && bar.stamp >= start &&
                bar.stamp <= end) {
                found.push_back(pastBar(bar));
            }
        }
    }
    std::sort(found.begin(), found.end(), [](const PastBar& a, const PastBar& b) { return a.stamp < b.stamp; });
}

}  // namespace zqhost
