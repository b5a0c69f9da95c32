// The option-trading handler a strategy obtains from its context: exercise
// and underlying freezes in the options account. It holds nothing of its own
// (its base views the host channel), so strategy threads may call it
// concurrently.
#pragma once

#include "host/zqapibase.h"
#include "norq/ioptiontradehandler.h"
#include "norq/requests.h"

class ZqOptionTradeHandler final : public Norq::IOptionTradeHandler, public ZqApiBase {
public:
    Norq::Order optionExercise(const char* symbol, int32_t quantity) override;
    Norq::Order underlyingSecurityFreeze(const char* symbol, int32_t quantity, bool freeze) override;

private:
    // The request of either operation; its flag and fields tell them apart.
    Norq::Order optionOrder(const char* function, int32_t code, const char* flag, const Norq::OrderRequest& request);
};
