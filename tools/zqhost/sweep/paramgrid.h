// The parameter sets of a sweep: each swept parameter's values, read from
// `--grid NAME=SPEC` by the parameter's type in the strategy's schema, and
// the sets made from them, the whole grid or a seeded random sample.
//   int      3..10, 10..60:5 or 3,5,8
//   float    0.1..0.5:0.1 or 0.1,0.25
//   bool     true,false (or one of them)
//   list     entries of the list, kline_1m,kline_5m
//   text     any values, a,b
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zqhost {

struct SweptParam {
    std::string name;
    std::string type;                 // as the schema declares it
    std::vector<std::string> values;  // as --param takes them
};

// One set: a value for each swept parameter.
using ParamSet = std::map<std::string, std::string>;

// Reads one --grid text against `schema` (the strategy's parameter schema).
// False with the reason in `error` when the name is not a parameter, the
// range is malformed or empty, or a value does not suit the type.
bool parseGrid(const std::string& spec, const std::string& schema, SweptParam& param, std::string& error);

// Every combination, the first parameter varying slowest.
std::vector<ParamSet> fullGrid(const std::vector<SweptParam>& params);

// Up to `count` different sets drawn from the grid with `seed`, in the order
// drawn; the same seed draws the same sets. `keep` decides which sets count.
template <typename Keep>
std::vector<ParamSet> randomSets(const std::vector<SweptParam>& params, int count, uint64_t seed, Keep keep);

// A key naming a set: "name=value" lines in name order.
std::string setKey(const ParamSet& set);

namespace detail {
uint64_t nextRandom(uint64_t& state);
}

template <typename Keep>
std::vector<ParamSet> randomSets(const std::vector<SweptParam>& params, int count, uint64_t seed, Keep keep) {
    std::vector<ParamSet> sets;
    std::map<std::string, bool> seen;
    uint64_t state = seed;
    // Many tries may be refused (by --where, or as repeats); give up when the
    // draws stop finding new sets.
    for (long tries = 0; static_cast<int>(sets.size()) < count && tries < 1000L + 100L * count; ++tries) {
        ParamSet set;
        for (const SweptParam& p : params) set[p.name] = p.values[detail::nextRandom(state) % p.values.size()];
        std::string key = setKey(set);
        if (seen.count(key)) continue;
        seen[key] = true;
        if (keep(set)) sets.push_back(set);
    }
    return sets;
}

}  // namespace zqhost
