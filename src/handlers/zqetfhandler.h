// The ETF creation and redemption handler a strategy obtains from its
// context. It holds nothing of its own (its base views the host channel),
// so strategy threads may call it concurrently.
#pragma once

#include "host/zqapibase.h"
#include "norq/ietfhandler.h"

class ZqEtfHandler final : public Norq::IEtfHandler, public ZqApiBase {
public:
    Norq::EtfInfo getEtfInfo(const char* fundSymbol) override;
    Norq::EtfConstituentList getEtfConstituentList(const char* fundSymbol) override;
    Norq::Order etfPurchase(const char* symbol, int32_t quantity, int32_t accountType, int32_t extra) override;
    Norq::Order etfRedemption(const char* symbol, int32_t quantity, int32_t accountType, int32_t extra) override;

private:
    // Purchase and redemption differ only in side and request code.
    Norq::Order etfOrder(const char* function, int32_t side, int32_t code, const char* symbol, int32_t quantity,
                         int32_t accountType, int32_t extra);
};
