#include "convert/zqstructassembler.h"

#include "convert/fieldconvert.h"
#include "convert/timetext.h"
#include "sdk/textcopy.h"

using namespace Norq;
using namespace zqinternal;

void ZqStructAssembler::orderFromRow(const zq::OrderRow& row, Order& order) {
    zeroFill(order);
    copyField(order.trader_name, row.trader_name);
    copyField(order.fund_account, row.fund_account);
    copyField(order.entrust_no, row.entrust_no);
    copyField(order.orig_order_id, row.orig_order_id);
    order.status = textToInt(row.status);
    order.price = row.price;
    order.avg_cost = row.avg_cost;
    order.filled = row.filled;
    order.amount = row.amount;
    order.side = row.side;
    copyTimeText(order.add_time, row.date, row.time_of_day);
    order.batch_no = row.batch_no;
    copyField(order.price_type, row.price_type);
    order.withdraw_amount = row.withdraw_amount;
    order.entrust_type = row.entrust_type;
    order.business_balance = row.business_balance;
    order.clear_balance = row.clear_balance;
    copyField(order.order_id, row.order_id);
    copyIntText(order.error_code, row.error_code);
    copyField(order.symbol, row.symbol);
    copyField(order.algo_inst_id, row.algo_inst_id);
    copyField(order.inst_id, row.inst_id);
    order.action = textToInt(row.action);
    order.invest_type = textToInt(row.invest_type);
    order.close_direction = textToInt(row.close_direction);
    order.covered_flag = textToInt(row.covered_flag);
    copyField(order.cancel_info, row.cancel_info);
    copyField(order.entrust_prop, row.entrust_prop);
    copyField(order.security_exchange, row.security_exchange);
    order.last_amount = row.last_amount;
    order.last_price = row.last_price;
}

void ZqStructAssembler::executionFromRow(const zq::ExecutionRow& row, Execution& execution) {
    zeroFill(execution);
    copyTimeText(execution.time, row.date, row.time_of_day);
    copyField(execution.fund_account, row.fund_account);
    execution.side = row.side;
    execution.price = row.price;
    execution.amount = row.amount;
    execution.entrust_type = textToInt(row.entrust_type);
    copyField(execution.entrust_no, row.entrust_no);
    copyField(execution.orig_order_id, row.orig_order_id);
    execution.business_balance = row.business_balance;
    copyField(execution.priceType, row.price_type);
    execution.cost_balance = row.cost_balance;
    copyField(execution.trader_name, row.trader_name);
    copyField(execution.order_id, row.order_id);
    copyField(execution.symbol, row.symbol);
    copyField(execution.trade_id, row.trade_id);
    copyField(execution.algo_inst_id, row.algo_inst_id);
    copyField(execution.inst_id, row.inst_id);
    execution.action = textToInt(row.action);
    execution.invest_type = textToInt(row.invest_type);
    execution.close_direction = textToInt(row.close_direction);
    copyField(execution.security_exchange, row.security_exchange);
}

// init_time and transact_time stay empty: the row has no such times.
void ZqStructAssembler::positionFromRow(const zq::PositionRow& row, Position& position) {
    zeroFill(position);
    copyField(position.fund_account, row.fund_account);
    copyField(position.stock_account, row.stock_account);
    position.init_amount = truncToInt64(row.init_amount);
    position.total_amount = truncToInt64(row.total_amount);
    position.hold_cost = row.hold_cost;
    position.locked_amount = truncToInt64(row.locked_amount);
    position.closeable_amount = truncToInt64(row.closeable_amount);
    position.price = row.price;
    position.value = row.value;
    position.redemption_num = row.redemption_num;
    copyField(position.symbol, row.symbol);
    position.position_prop = textToInt(row.position_prop);
    position.open_cost = row.open_cost;
    position.today_amount = truncToInt64(row.today_amount);
    position.old_amount = truncToInt64(row.old_amount);
    position.invest_type = textToInt(row.invest_type);
    position.occupy_margin = row.occupy_margin;
    position.close_pos_profit = row.close_pos_profit;
    position.close_profit_by_trade = row.close_profit_by_trade;
    position.commission = row.commission;
    position.contract_multiplier = truncToInt32(row.contract_multiplier);
    position.option_hold_type = textToInt(row.option_hold_type);
    copyField(position.security_exchange, row.security_exchange);
}

// starting_cash, positions_value and holding_profit stay 0: the row has no
// such amounts.
void ZqStructAssembler::fundInfoFromRow(const zq::FundRow& row, FundInfo& fund) {
    zeroFill(fund);
    copyField(fund.fund_account, row.fund_account);
    fund.available_cash = row.available_cash;
    fund.settled_cash = row.settled_cash;
    fund.hold_cash = row.hold_cash;
    fund.locked_cash = row.locked_cash;
    fund.total_value = row.total_value;
    fund.market_value = row.market_value;
    fund.transferable_cash = row.transferable_cash;
    fund.available_margin = row.available_margin;
    fund.occupied_margin = row.occupied_margin;
    fund.pre_balance = row.pre_balance;
    fund.current_balance = row.current_balance;
    fund.risk_level = row.risk_level;
    fund.close_pos_profit = row.close_pos_profit;
    fund.close_profit_by_trade = row.close_profit_by_trade;
    fund.commission = row.commission;
    fund.frozen_commission = row.frozen_commission;
    fund.freezed_deposit = row.freezed_deposit;
    fund.hk_available_cash = row.hk_available_cash;
}
