#include "rows.h"

#include <cstdio>
#include <cstring>

namespace zqhost {

namespace {

template <size_t N>
void put(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), text.size() < N - 1 ? text.size() : N - 1);
}

// "600000.SH" trades on "SH".
std::string exchangeOf(const std::string& symbol) {
    size_t dot = symbol.rfind('.');
    return dot == std::string::npos ? std::string() : symbol.substr(dot + 1);
}

}  // namespace

zq::OrderRow orderRow(const SimOrder& order) {
    zq::OrderRow row{};
    put(row.trader_name, "zqhost");
    put(row.fund_account, order.accountId);
    put(row.entrust_no, order.entrustNo);
    put(row.status, std::to_string(order.status));
    row.price = order.market ? 0 : order.limit;
    row.avg_cost = order.averagePrice();
    row.filled = order.filled;
    row.amount = order.amount;
    row.side = order.side;
    row.time_of_day = static_cast<int32_t>(order.placed % 1000000);
    row.date = static_cast<int32_t>(order.placed / 1000000);
    row.batch_no = order.batchNo;
    put(row.price_type, order.priceType);
    row.withdraw_amount = order.status == kCancelled ? order.amount - order.filled : 0;
    row.entrust_type = order.entrustType;
    row.business_balance = order.filledValue;
    put(row.order_id, order.id);
    put(row.symbol, order.symbol);
    put(row.inst_id, order.instanceId);
    put(row.cancel_info, order.reason);
    put(row.security_exchange, exchangeOf(order.symbol));
    row.last_amount = order.lastAmount;
    row.last_price = order.lastPrice;
    return row;
}

zq::ExecutionRow executionRow(const SimFill& fill, const SimOrder& order) {
    zq::ExecutionRow row{};
    row.date = static_cast<int32_t>(fill.stamp / 1000000);
    put(row.fund_account, order.accountId);
    row.side = order.side;
    row.price = fill.price;
    row.amount = fill.amount;
    row.time_of_day = static_cast<int32_t>(fill.stamp % 1000000);
    put(row.entrust_type, std::to_string(order.entrustType));
    put(row.entrust_no, order.entrustNo);
    row.business_balance = fill.price * fill.amount;
    put(row.price_type, order.priceType);
    row.cost_balance = fill.commission;
    put(row.trader_name, "zqhost");
    put(row.order_id, order.id);
    put(row.symbol, order.symbol);
    put(row.trade_id, fill.tradeId);
    put(row.inst_id, order.instanceId);
    put(row.security_exchange, exchangeOf(order.symbol));
    return row;
}

zq::PositionRow positionRow(const std::string& symbol, const SimPosition& position, const std::string& accountId) {
    zq::PositionRow row{};
    put(row.fund_account, accountId);
    put(row.stock_account, accountId);
    row.total_amount = static_cast<double>(position.amount);
    row.hold_cost = position.amount > 0 ? position.cost / position.amount : 0;
    row.locked_amount = static_cast<double>(position.reserved);
    row.closeable_amount = static_cast<double>(position.amount - position.reserved);
    row.price = position.lastPrice;
    row.value = position.amount * position.lastPrice;
    put(row.symbol, symbol);
    row.open_cost = position.cost;
    row.today_amount = static_cast<double>(position.amount);
    row.contract_multiplier = 1;
    put(row.security_exchange, exchangeOf(symbol));
    return row;
}

zq::FundRow fundRow(const SimAccount& account, const std::string& accountId) {
    zq::FundRow row{};
    put(row.fund_account, accountId);
    row.available_cash = account.cash() - account.reservedCash();
    row.settled_cash = account.cash();
    row.locked_cash = account.reservedCash();
    row.total_value = account.equity();
    row.market_value = account.positionsValue();
    row.transferable_cash = row.available_cash;
    row.current_balance = account.cash();
    return row;
}

}  // namespace zqhost
