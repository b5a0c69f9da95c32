// Handed out under "getAlgoTradeHandler" for strategies that ask for it; a
// view onto the host channel that offers no operations.
#pragma once

#include "host/zqapibase.h"

class ZqAlgoTradeHandler : public ZqApiBase {};
