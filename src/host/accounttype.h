// Account types as strategies choose them and the names the host knows them
// by (host operation 22 takes the name).
#pragma once

#include <cstdint>

// "stock", "stock_margin", "futures", "open_fund", "option"; any other value
// is "unknown".
const char* accountTypeName(int32_t accountType);
