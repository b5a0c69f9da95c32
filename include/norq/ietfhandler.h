// The handle for ETF creation and redemption, ETF information and constituent
// lists. Strategies obtain it from their context (IZqContext::getEtfHandler),
// may keep the pointer for the life of the process and never delete it.
// Every operation runs on the calling thread and has finished with the host
// when it returns; failures never throw. Texts are NUL-terminated UTF-8 and
// stay the caller's. The slot order is the binary interface: never reorder,
// insert or remove.
#pragma once

#include <cstdint>

#include "norq/lists.h"
#include "norq/records.h"

namespace Norq {

// clang-format off
class IEtfHandler {
public:
    // The creation and redemption terms of the ETF. All zero when the host
    // has no answer or names no fund symbol in it.
    virtual EtfInfo getEtfInfo(const char* fundSymbol) = 0;                                  // 0
    // The ETF's basket, in the host's order; empty when the host has no answer.
    virtual EtfConstituentList getEtfConstituentList(const char* fundSymbol) = 0;            // 1
    // Creates (purchase) or redeems ETF units in the account of `accountType`
    // (an AccountType value). `extra` reaches the host unchanged. On
    // acceptance the Order describes what was sent (status 1, order_id the
    // client order id); without such an account or on refusal it is all zero.
    virtual Order etfPurchase(const char* symbol, int32_t quantity, int32_t accountType,
                              int32_t extra) = 0;                                            // 2
    virtual Order etfRedemption(const char* symbol, int32_t quantity, int32_t accountType,
                                int32_t extra) = 0;                                          // 3
};
// clang-format on

}  // namespace Norq
