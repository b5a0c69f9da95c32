// The running parameters as the trading client's dialog sends them: every
// parameter of the strategy's schema, its default unless the user chose a
// value, each value written as the text the library reads (numbers as
// decimal text, a bool as "1" or "0", a list entry as its text), and the
// run mode ("operate_mode") of a replay, so that the library asks the host
// for the current time, which is the simulated time.
#pragma once

#include <string>
#include <vector>

namespace zqhost {

// `schema` is what GetStrategyParams gave; `userJson` an object of chosen
// values with natural JSON types (or their texts); `assignments` further
// choices as "name=value". Unknown names, values of the wrong type, list
// entries that are not offered and malformed JSON are refused: false, with
// the reason in `error`. Table parameters cannot be set for a started
// instance and are left out.
bool buildRunParams(const std::string& schema, const std::string& userJson,
                    const std::vector<std::string>& assignments, std::string& runParams, std::string& error);

}  // namespace zqhost
