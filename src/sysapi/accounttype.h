// Account types as strategies choose them, and the names the host knows them by.
#pragma once

#include <cstdint>

// "stock", "stock_margin", "futures", "open_fund", "option"; any other value
// is "unknown".
const char* accountTypeName(int32_t accountType);
