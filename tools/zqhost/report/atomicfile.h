// Result files appear whole or not at all: the content goes to a temporary
// file in the target's directory, which is renamed over the target only once
// everything is written. A run that fails half-way leaves no file that looks
// like a result, and an older result stays as it was.
#pragma once

#include <string>

namespace zqhost {

// On success the file at `path` holds exactly `content`. On failure returns
// false with the reason in `error`; `path` is untouched and no temporary file
// remains.
bool writeFileAtomically(const std::string& path, const std::string& content, std::string& error);

}  // namespace zqhost
