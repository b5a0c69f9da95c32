#include "norq/zqstring.h"
#include "sdk/handle.h"
#include "sdk/symbollistimpl.h"

#include <cstring>

namespace Norq {

NORQ_DEFINE_HANDLE(SymbolList)

void SymbolList::put(const char* symbol) {
    if (!symbol) return;
    contentOf(impl).symbols.emplace_back(symbol);
}

ZqString SymbolList::get(int i) const {
    if (i < 0 || i >= getSize()) return ZqString();
    return ZqString(impl->symbols[static_cast<size_t>(i)].c_str());
}

int SymbolList::getSize() const {
    return impl ? static_cast<int>(impl->symbols.size()) : 0;
}

int SymbolList::index(const char* symbol) {
    if (getSize() == 0 || !symbol) return -1;
    size_t length = std::strlen(symbol);
    const std::vector<std::string>& symbols = impl->symbols;
    for (size_t i = 0; i < symbols.size(); ++i) {
        if (symbols[i].size() == length && std::memcmp(symbols[i].data(), symbol, length) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

SymbolList& SymbolList::operator+=(const SymbolList& other) {
    size_t count = static_cast<size_t>(other.getSize());
    if (count == 0) return *this;
    std::vector<std::string>& symbols = contentOf(impl).symbols;
    const std::vector<std::string>& appended = other.impl->symbols;
    // Room first, so that appending a list to itself reads entries that stay put.
    symbols.reserve(symbols.size() + count);
    for (size_t i = 0; i < count; ++i) symbols.push_back(appended[i]);
    return *this;
}

SymbolList SymbolList::operator+(const SymbolList& other) {
    SymbolList result(*this);
    for (int i = 0; i < other.getSize(); ++i) result.put(other.impl->symbols[static_cast<size_t>(i)].c_str());
    return result;
}

}  // namespace Norq
