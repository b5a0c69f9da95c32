// Handed out under "getAlgoTradeHandler" for strategies that ask for it; it
// carries the host pointer and offers no operations.
#pragma once

#include "host/zqapibase.h"

class ZqAlgoTradeHandler : public ZqApiBase {};
