// Numbers given on the command line: the whole text must be the number, and
// the number must lie in its range. One home for every option that takes one.
#pragma once

#include <string>

namespace zqhost {

// A whole number from `low` to `high`; false (out untouched) otherwise.
bool parseCount(const std::string& text, long low, long high, int& out);
// A decimal number from `low` to `high`; false (out untouched) otherwise,
// a NaN included.
bool parseAmount(const std::string& text, double low, double high, double& out);

}  // namespace zqhost
