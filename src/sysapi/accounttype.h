// Account types as strategies choose them, the names the host knows them by,
// and the lookup every account-bound operation starts with.
#pragma once

#include <cstdint>
#include <string>

#include "zq/hostservices.h"

// "stock", "stock_margin", "futures", "open_fund", "option"; any other value
// is "unknown".
const char* accountTypeName(int32_t accountType);

// The host's account id for the type (host operation 22); empty when the
// host has no such account or there is no host yet.
std::string accountIdOf(zq::HostServices* host, int32_t accountType);
