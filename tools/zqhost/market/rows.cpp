#include "rows.h"

#include <cstdio>
#include <cstring>
#include "fixedtext.h"

namespace zqhost {

namespace {

// "600000.SH" trades on "SH".
std::string exchangeOf(const std::string& symbol) {
    size_t dot = symbol.rfind('.');
    return dot == std::string::npos ? std::string() : symbol.substr(dot + 1);
}

}  // namespace

zq::OrderRow orderRow(const SimOrder& order) {
    zq::OrderRow row{};
    putText(row.trader_name, "zqhost");
    putText(row.fund_account, order.accountId);
    putText(row.entrust_no, order.entrustNo);
    putText(row.status, std::to_string(order.status));
    row.price = order.market ? 0 : order.limit;
    row.avg_cost = order.averagePrice();
    row.filled = order.filled;
    row.amount = order.amount;
    row.side = order.side;
    row.time_of_day = static_cast<int32_t>(order.placed % 1000000);
    row.date = static_cast<int32_t>(order.placed / 1000000);
    row.batch_no = order.batchNo;
    putText(row.price_type, order.priceType);
    row.withdraw_amount = order.status == kCancelled ? order.amount - order.filled : 0;
    row.entrust_type = order.entrustType;
    row.business_balance = order.filledValue;
    putText(row.order_id, order.id);
    putText(row.symbol, order.symbol);
    putText(row.inst_id, order.instanceId);
    putText(row.cancel_info, order.reason);
    putText(row.security_exchange, exchangeOf(order.symbol));
    row.last_amount = order.lastAmount;
    row.last_price = order.lastPrice;
    return row;
}

zq::OrderRow cancelRefusalRow(const SimOrder* order, const std::string& target, const std::string& accountId,
                              int32_t batchNo, const std::string& reason) {
    constexpr int32_t kEntrustCancel = 2;
    zq::OrderRow row{};
    if (order) {
        row = orderRow(*order);
    } else {
        putText(row.trader_name, "zqhost");
        putText(row.fund_account, accountId);
        putText(row.status, std::to_string(kRejected));
        putText(row.order_id, target);
        row.batch_no = batchNo;
        row.entrust_type = kEntrustCancel;
    }
    putText(row.cancel_info, "cancel refused: " + reason);
    return row;
}

zq::ExecutionRow executionRow(const SimFill& fill, const SimOrder& order) {
    zq::ExecutionRow row{};
    row.date = static_cast<int32_t>(fill.stamp / 1000000);
    putText(row.fund_account, order.accountId);
    row.side = order.side;
    row.price = fill.price;
    row.amount = fill.amount;
    row.time_of_day = static_cast<int32_t>(fill.stamp % 1000000);
    putText(row.entrust_type, std::to_string(order.entrustType));
    putText(row.entrust_no, order.entrustNo);
    row.business_balance = fill.price * fill.amount;
    putText(row.price_type, order.priceType);
    row.cost_balance = fill.commission;
    putText(row.trader_name, "zqhost");
    putText(row.order_id, order.id);
    putText(row.symbol, order.symbol);
    putText(row.trade_id, fill.tradeId);
    putText(row.inst_id, order.instanceId);
    putText(row.security_exchange, exchangeOf(order.symbol));
    return row;
}

zq::PositionRow positionRow(const std::string& symbol, const SimPosition& position, const std::string& accountId) {
    zq::PositionRow row{};
    putText(row.fund_account, accountId);
    putText(row.stock_account, accountId);
    row.total_amount = static_cast<double>(position.amount);
    row.hold_cost = position.amount > 0 ? position.cost / position.amount : 0;
    row.locked_amount = static_cast<double>(position.reserved);
    row.closeable_amount = static_cast<double>(position.amount - position.reserved);
    row.price = position.lastPrice;
    row.value = position.amount * position.lastPrice;
    putText(row.symbol, symbol);
    row.open_cost = position.cost;
    row.init_amount = static_cast<double>(position.dayStartAmount);
    row.today_amount = static_cast<double>(position.boughtToday);
    row.commission = position.commission;
    row.close_profit_by_trade = position.realized;
    row.contract_multiplier = 1;
    putText(row.security_exchange, exchangeOf(symbol));
    return row;
}

zq::FundRow fundRow(const SimAccount& account, const std::string& accountId) {
    zq::FundRow row{};
    putText(row.fund_account, accountId);
    row.available_cash = account.cash() - account.reservedCash();
    row.settled_cash = account.cash();
    row.locked_cash = account.reservedCash();
    row.total_value = account.equity();
    row.market_value = account.positionsValue();
    row.transferable_cash = row.available_cash;
    row.current_balance = account.cash();
    row.pre_balance = account.dayStartEquity();
    row.commission = account.commissionPaid();
    row.frozen_commission = account.reservedCommission();
    row.close_profit_by_trade = account.realized();
    return row;
}

}  // namespace zqhost
