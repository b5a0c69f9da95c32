// The one way the ETF and option handlers place an order: a host order
// record sent under the operation's own request code (host operation 25),
// answered with the Order the strategy gets back.
#pragma once

#include <cstdint>
#include <string>

#include "norq/records.h"
#include "norq/requests.h"
#include "host/hostchannel.h"

// A request for `quantity` of `symbol`, everything else zero. The symbol is
// cut to what an Order's symbol field holds, 13 bytes.
Norq::OrderRequest handlerRequest(const char* symbol, int32_t quantity);

// Sends the request flagged `flag` for the account under `code`, with a new
// client order id, through the channel's one order path.
Norq::Order submitHandlerOrder(const HostChannel& channel, int32_t code, const std::string& accountId, const char* flag,
                               const Norq::OrderRequest& request);
