// The bars of a sweep with --split: the bar files' bars before a date and
// those from it on, each written to one CSV file zqhost reads back the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zqhost {

// Reads `barFiles` and writes `before` and `from` (whole or not at all).
// False with the reason when the files cannot be read or written, or either
// side of the date holds no bars.
bool splitBars(const std::vector<std::string>& barFiles, int32_t date, const std::string& before,
               const std::string& from, std::string& error);

}  // namespace zqhost
