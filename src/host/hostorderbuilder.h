// Turning a strategy's order request into the record the host receives and
// into the Order the strategy gets back. Used by the host channel's order
// path and by the system API's batches.
#pragma once

#include <cstdint>
#include <string>

#include "norq/records.h"
#include "norq/requests.h"
#include "zq/hostorder.h"

// A new client order id: a UUID in braces, lower case, 38 characters.
std::string newClientOrderId();

// The strategy's own id when it gave a non-empty one, else a new one.
std::string chooseClientOrderId(const std::string& given);

// The record for one order: the three ids (each cut to its field) and the
// request bytes unchanged. The flag is left empty for the operation to set.
zq::HostOrderRecord buildHostOrder(const std::string& instanceId, const std::string& accountId,
                                   const std::string& clientOrderId, const Norq::OrderRequest& request);

// The Order a strategy gets back for a request that was sent: zero except
// for the request's own fields, the client order id, the batch number and
// status 1.
void fillOrderFromRequest(const Norq::OrderRequest& request, Norq::Order& order, const std::string& clientOrderId,
                          int32_t batchNo);
