#include "norq/lists.h"
#include "sdk/handle.h"
#include "sdk/marginlistimpl.h"

#include <iterator>

namespace Norq {

namespace {

// The entry at position i of a map, or end() when i is out of range.
template <typename Map>
typename Map::const_iterator entryAt(const Map& map, int i) {
    if (i < 0 || static_cast<size_t>(i) >= map.size()) return map.end();
    return std::next(map.begin(), i);
}

template <typename Map>
ZqString keyAt(const Map& map, int i) {
    auto it = entryAt(map, i);
    return it == map.end() ? ZqString() : ZqString(it->first.c_str());
}

}  // namespace

NORQ_DEFINE_HANDLE(MarginAccountSecurityList)

// A replaced record is released at once, so each is released exactly once;
// pushing the stored record again for its own symbol keeps it.
void MarginAccountSecurityList::push(const char* symbol, MarginSecurityInfo* info) {
    if (!symbol || !info) return;
    MarginSecurityInfo*& stored = contentOf(impl).infos[symbol];
    if (stored != info) delete stored;
    stored = info;
}

const MarginSecurityInfo& MarginAccountSecurityList::marginSecurityInfo(int i) {
    const auto& infos = contentOf(impl).infos;
    auto it = entryAt(infos, i);
    return it == infos.end() ? impl->fallback : *it->second;
}

const MarginSecurityInfo& MarginAccountSecurityList::marginSecurityInfo(const char* symbol) {
    MarginAccountSecurityListImpl& content = contentOf(impl);
    if (!symbol) return content.fallback;
    auto it = content.infos.find(symbol);
    return it == content.infos.end() ? content.fallback : *it->second;
}

ZqString MarginAccountSecurityList::getSymbol(int i) {
    return keyAt(contentOf(impl).infos, i);
}

int MarginAccountSecurityList::getSize() const {
    return impl ? static_cast<int>(impl->infos.size()) : 0;
}

NORQ_DEFINE_HANDLE(MarginAssureSecurityList)

void MarginAssureSecurityList::push(const char* symbol, double ratio) {
    if (!symbol) return;
    contentOf(impl).ratios[symbol] = ratio;
}

double MarginAssureSecurityList::discountRatio(int i) {
    const auto& ratios = contentOf(impl).ratios;
    auto it = entryAt(ratios, i);
    return it == ratios.end() ? 0.0 : it->second;
}

double MarginAssureSecurityList::discountRatio(const char* symbol) {
    if (!symbol) return 0.0;
    const auto& ratios = contentOf(impl).ratios;
    auto it = ratios.find(symbol);
    return it == ratios.end() ? 0.0 : it->second;
}

ZqString MarginAssureSecurityList::getSymbol(int i) {
    return keyAt(contentOf(impl).ratios, i);
}

int MarginAssureSecurityList::getSize() const {
    return impl ? static_cast<int>(impl->ratios.size()) : 0;
}

}  // namespace Norq
