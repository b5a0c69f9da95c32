// The bar push (notification 1061) as the trading client sends it for a
// bar: one flat JSON object, prices in the shortest text that reads back to
// the same double. Written for every delivered bar, so it is built without
// formatting calls or allocation of its own.
#pragma once

#include <string>

#include "bars.h"

namespace zqhost {

// Appends the push of `bar` to `out`.
void appendBarPush(const Bar& bar, std::string& out);

}  // namespace zqhost
