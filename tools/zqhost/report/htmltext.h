// Text placed into the HTML report, inside elements or attribute values.
#pragma once

#include <string>

namespace zqhost {

// Replaces & < > " ' by their entities, so no text from a run (symbols,
// reasons, paths) can open an element or end an attribute. UTF-8 passes
// through unchanged.
std::string escapeHtml(const std::string& text);

}  // namespace zqhost
