// The times of bars as zqhost reads and writes them: stamps (yyyyMMddhhmmss
// as a number) from the text of a bar file, and the texts the host writes
// from a stamp. Exact, and without the C library's or Qt's time functions,
// which are far slower: these run for every bar and every fill.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zqhost {

constexpr size_t kDisplayTimeBytes = 19;
constexpr size_t kHostTimeBytes = 21;
// "yyyy-MM-dd hh:mm:ss" into `out`, no end byte.
void writeDisplayTime(int64_t stamp, char* out);
// "yyyyMMdd hh:mm:ss 000" into `out`, no end byte.
void writeHostTime(int64_t stamp, char* out);
std::string displayTime(int64_t stamp);
// The host's stamp on pushes and ticks.
std::string hostTime(int64_t stamp);
// yyyyMMddhhmmss from "yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd" or
// "yyyyMMddhhmmss"; false when the text is none of these or no valid time.
bool parseStamp(std::string_view text, int64_t& stamp, int64_t& seconds);

}  // namespace zqhost
