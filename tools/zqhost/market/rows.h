// The platform rows the local host pushes and answers queries with, built
// from the simulated account.
#pragma once

#include <string>

#include "account.h"
#include "zq/hostrows.h"

namespace zqhost {

zq::OrderRow orderRow(const SimOrder& order);
// The answer to a cancel the account refused: the order's own row when
// there is one (its status unchanged), else a rejected row naming what was
// to be cancelled (an order id or "batch N"); the reason in cancel_info.
zq::OrderRow cancelRefusalRow(const SimOrder* order, const std::string& target, const std::string& accountId,
                              int32_t batchNo, const std::string& reason);
zq::ExecutionRow executionRow(const SimFill& fill, const SimOrder& order);
zq::PositionRow positionRow(const std::string& symbol, const SimPosition& position, const std::string& accountId);
zq::FundRow fundRow(const SimAccount& account, const std::string& accountId);

}  // namespace zqhost
