// The content behind the two keyed margin lists: hash maps keyed by symbol.
// Positions are the maps' own iteration order.
#pragma once

#include <string>
#include <unordered_map>

#include "norq/records.h"

namespace Norq {

class MarginAccountSecurityListImpl {
public:
    MarginAccountSecurityListImpl() = default;
    MarginAccountSecurityListImpl(const MarginAccountSecurityListImpl&) = delete;
    MarginAccountSecurityListImpl& operator=(const MarginAccountSecurityListImpl&) = delete;
    virtual ~MarginAccountSecurityListImpl() {
        for (auto& entry : infos) delete entry.second;
    }

    std::unordered_map<std::string, MarginSecurityInfo*> infos;  // owned records
    MarginSecurityInfo fallback{};
};

class MarginAssureSecurityListImpl {
public:
    virtual ~MarginAssureSecurityListImpl() = default;

    std::unordered_map<std::string, double> ratios;
};

}  // namespace Norq
