// The margin-trading handler a strategy obtains from its context. Every
// operation works on the credit account and asks the host in JSON. It holds
// nothing of its own (its base views the host channel), so strategy threads
// may call it concurrently.
#pragma once

#include "host/zqapibase.h"
#include "norq/imarginhandler.h"

class ZqMarginHandler final : public Norq::IMarginHandler, public ZqApiBase {
public:
    int32_t marginCashDirectRefund(double amount, const char* contractNo) override;
    Norq::SymbolList getMarginCashStocks() override;
    Norq::SymbolList getMarginSecStocks() override;
    Norq::MarginContractList getMarginContract(const char* contractNo) override;
    Norq::MarginAsset getMarginAsset() override;
    Norq::MarginAssureSecurityList getMarginAssureSecurityList() override;
    Norq::MarginAccountSecurityList getMarginSecurityListAll() override;
    int64_t getAvaliableMarginQty(const Norq::MarginQtyRequest& request) override;
    Norq::MarginAssetRsp getMarginAssetFromCounter() override;
    Norq::MarginAccountSecurityList getMarginSecurityList(const char* symbol, int32_t positionType) override;
};
