// The handle for the margin (credit) account: contracts, assets, collateral,
// the securities open to financing and lending, direct repayment and
// tradable quantities. Strategies obtain it from their context
// (IZqContext::getMarginHandler), may keep the pointer for the life of the
// process and never delete it. Every operation first looks for the credit
// account ("stock_margin"); without one it writes one log line and gives its
// empty result. Operations run on the calling thread and never throw. Texts
// are NUL-terminated UTF-8 and stay the caller's. The slot order is the
// binary interface: never reorder, insert or remove.
#pragma once

#include <cstdint>

#include "norq/lists.h"
#include "norq/records.h"
#include "norq/requests.h"
#include "norq/zqstring.h"

namespace Norq {

// clang-format off
class IMarginHandler {
public:
    // Repays financing debt of the contract (null: any) with `amount` in
    // cash. -1 without a credit account, else the host's own result (0 done).
    virtual int32_t marginCashDirectRefund(double amount, const char* contractNo) = 0;       // 0
    // Symbols open to margin financing.
    virtual SymbolList getMarginCashStocks() = 0;                                            // 1
    // Symbols open to securities lending.
    virtual SymbolList getMarginSecStocks() = 0;                                             // 2
    // The account's contracts, or the one numbered `contractNo` (null: all).
    virtual MarginContractList getMarginContract(const char* contractNo) = 0;                // 3
    // All zero when unanswered.
    virtual MarginAsset getMarginAsset() = 0;                                                // 4
    // Collateral securities with their discount ratios.
    virtual MarginAssureSecurityList getMarginAssureSecurityList() = 0;                      // 5
    // getMarginSecurityList("", 2).
    virtual MarginAccountSecurityList getMarginSecurityListAll() = 0;                        // 6
    // How many units the account can trade as requested; 0 on any failure.
    // "Avaliable" is misspelled; strategies already call it by this name.
    virtual int64_t getAvaliableMarginQty(const MarginQtyRequest& request) = 0;              // 7
    // The assets as the broker's counter reports them, with its error code
    // and text: -1 and a reason when there is no credit account or no answer.
    virtual MarginAssetRsp getMarginAssetFromCounter() = 0;                                  // 8
    // What can be borrowed of `symbol` (null: of every security). Only the
    // special position type, 2, can be asked for.
    virtual MarginAccountSecurityList getMarginSecurityList(const char* symbol,
                                                            int32_t positionType) = 0;       // 9
};
// clang-format on

}  // namespace Norq
