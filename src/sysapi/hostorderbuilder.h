// Turning a strategy's order request into what the host receives and into
// the Order the strategy gets back. Shared by the system API and the ETF,
// margin and option handlers.
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
// request bytes unchanged. The flag is left empty; one of the two rules
// below finishes the record.
zq::HostOrderRecord buildHostOrder(const std::string& instanceId, const std::string& accountId,
                                   const std::string& clientOrderId, const Norq::OrderRequest& request);

// The host's conventions for ordinary orders: a count of 0 means one;
// entrust type 10 goes as 9 flagged "R3", every other type is flagged "0".
void applyOrdinaryOrderRules(zq::HostOrderRecord& record);

// ETF creation and redemption: flagged "N", entrust type 0, count as given.
void applyEtfOrderRules(zq::HostOrderRecord& record);

// The Order a strategy gets back for a request that was sent: zero except
// for the request's own fields, the client order id, the batch number and
// status 1.
void fillOrderFromRequest(const Norq::OrderRequest& request, Norq::Order& order, const std::string& clientOrderId,
                          int32_t batchNo);
