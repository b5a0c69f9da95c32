// The option-trading handler a strategy obtains from its context.
#pragma once

#include "host/zqapibase.h"
#include "norq/ioptiontradehandler.h"

class ZqOptionTradeHandler : public Norq::IOptionTradeHandler, public ZqApiBase {};
