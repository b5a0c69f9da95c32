// The content behind a SymbolList handle: the symbols in insertion order.
#pragma once

#include <string>
#include <vector>

namespace Norq {

class SymbolListImpl {
public:
    virtual ~SymbolListImpl() = default;

    std::vector<std::string> symbols;
};

}  // namespace Norq
