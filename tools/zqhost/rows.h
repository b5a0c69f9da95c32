// The platform rows the local host pushes and answers queries with, built
// from the simulated account.
#pragma once

#include <string>

#include "account.h"
#include "zq/hostrows.h"

namespace zqhost {

zq::OrderRow orderRow(const SimOrder& order);
zq::ExecutionRow executionRow(const SimFill& fill, const SimOrder& order);
zq::PositionRow positionRow(const std::string& symbol, const SimPosition& position, const std::string& accountId);
zq::FundRow fundRow(const SimAccount& account, const std::string& accountId);

}  // namespace zqhost
