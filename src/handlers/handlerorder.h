// The one way the ETF and option handlers place an order: a host order
// record sent under the operation's own request code (host operation 25),
// answered with the Order the strategy gets back.
#pragma once

#include <cstdint>
#include <string>

#include "norq/records.h"
#include "norq/requests.h"
#include "zq/hostservices.h"

// A request for `quantity` of `symbol`, everything else zero. The symbol is
// cut to what an Order's symbol field holds, 13 bytes.
Norq::OrderRequest handlerRequest(const char* symbol, int32_t quantity);

// Sends the request flagged `flag` for the account, with the strategy
// instance id and a new client order id. On acceptance the Order describes
// what was sent (status 1, order_id the client order id); on refusal it is
// all zero. REQUIRES: host is not null.
Norq::Order submitHandlerOrder(zq::HostServices* host, int32_t code, const std::string& accountId, const char* flag,
                               const Norq::OrderRequest& request);
