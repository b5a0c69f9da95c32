// The platform's trading rows: what the data-access library answers order,
// execution, position and fund queries with, and what the host pushes as
// order, execution, position and fund updates. Fixed layouts; texts are
// NUL-terminated within their fields unless they fill them. Bytes named
// `unread` carry platform data this library does not use.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zq {

struct OrderRow {
    char trader_name[64];
    char fund_account[64];
    char entrust_no[64];
    char orig_order_id[64];
    char status[8];  // decimal text
    double price;
    double avg_cost;
    int32_t filled;
    int32_t amount;
    int32_t side;
    int32_t time_of_day;  // hmmss
    int32_t date;         // yyyyMMdd
    uint8_t unread1[4];
    int32_t batch_no;
    char price_type[32];
    int32_t withdraw_amount;
    uint8_t unread2[4];
    int32_t entrust_type;
    double business_balance;
    double clear_balance;
    char order_id[64];
    int32_t error_code;
    char symbol[32];
    char algo_inst_id[64];
    char inst_id[64];
    char action[4];           // decimal text
    char invest_type[4];      // decimal text
    char close_direction[4];  // decimal text
    char covered_flag[4];     // decimal text
    char cancel_info[256];
    char entrust_prop[4];
    char security_exchange[4];
    int32_t last_amount;
    double last_price;
    uint8_t unread3[304];
};
static_assert(sizeof(OrderRow) == 1192, "order row layout");
static_assert(offsetof(OrderRow, status) == 256, "order row layout");
static_assert(offsetof(OrderRow, price) == 264, "order row layout");
static_assert(offsetof(OrderRow, time_of_day) == 292, "order row layout");
static_assert(offsetof(OrderRow, date) == 296, "order row layout");
static_assert(offsetof(OrderRow, batch_no) == 304, "order row layout");
static_assert(offsetof(OrderRow, price_type) == 308, "order row layout");
static_assert(offsetof(OrderRow, withdraw_amount) == 340, "order row layout");
static_assert(offsetof(OrderRow, entrust_type) == 348, "order row layout");
static_assert(offsetof(OrderRow, business_balance) == 352, "order row layout");
static_assert(offsetof(OrderRow, order_id) == 368, "order row layout");
static_assert(offsetof(OrderRow, error_code) == 432, "order row layout");
static_assert(offsetof(OrderRow, symbol) == 436, "order row layout");
static_assert(offsetof(OrderRow, algo_inst_id) == 468, "order row layout");
static_assert(offsetof(OrderRow, inst_id) == 532, "order row layout");
static_assert(offsetof(OrderRow, action) == 596, "order row layout");
static_assert(offsetof(OrderRow, covered_flag) == 608, "order row layout");
static_assert(offsetof(OrderRow, cancel_info) == 612, "order row layout");
static_assert(offsetof(OrderRow, entrust_prop) == 868, "order row layout");
static_assert(offsetof(OrderRow, security_exchange) == 872, "order row layout");
static_assert(offsetof(OrderRow, last_amount) == 876, "order row layout");
static_assert(offsetof(OrderRow, last_price) == 880, "order row layout");

struct ExecutionRow {
    int32_t date;  // yyyyMMdd
    char fund_account[64];
    int32_t side;
    double price;
    int32_t amount;
    int32_t time_of_day;    // hmmss
    char entrust_type[16];  // decimal text
    char entrust_no[64];
    char orig_order_id[64];
    double business_balance;
    char price_type[32];
    double cost_balance;
    char trader_name[68];
    char order_id[64];
    char symbol[32];
    char trade_id[64];
    char algo_inst_id[64];
    char inst_id[64];
    char action[4];           // decimal text
    char invest_type[4];      // decimal text
    char close_direction[4];  // decimal text
    uint8_t unread1[16];
    char security_exchange[32];
    uint8_t unread2[272];
};
static_assert(sizeof(ExecutionRow) == 968, "execution row layout");
static_assert(offsetof(ExecutionRow, fund_account) == 4, "execution row layout");
static_assert(offsetof(ExecutionRow, side) == 68, "execution row layout");
static_assert(offsetof(ExecutionRow, price) == 72, "execution row layout");
static_assert(offsetof(ExecutionRow, time_of_day) == 84, "execution row layout");
static_assert(offsetof(ExecutionRow, entrust_type) == 88, "execution row layout");
static_assert(offsetof(ExecutionRow, entrust_no) == 104, "execution row layout");
static_assert(offsetof(ExecutionRow, orig_order_id) == 168, "execution row layout");
static_assert(offsetof(ExecutionRow, business_balance) == 232, "execution row layout");
static_assert(offsetof(ExecutionRow, price_type) == 240, "execution row layout");
static_assert(offsetof(ExecutionRow, cost_balance) == 272, "execution row layout");
static_assert(offsetof(ExecutionRow, trader_name) == 280, "execution row layout");
static_assert(offsetof(ExecutionRow, order_id) == 348, "execution row layout");
static_assert(offsetof(ExecutionRow, symbol) == 412, "execution row layout");
static_assert(offsetof(ExecutionRow, trade_id) == 444, "execution row layout");
static_assert(offsetof(ExecutionRow, algo_inst_id) == 508, "execution row layout");
static_assert(offsetof(ExecutionRow, inst_id) == 572, "execution row layout");
static_assert(offsetof(ExecutionRow, action) == 636, "execution row layout");
static_assert(offsetof(ExecutionRow, close_direction) == 644, "execution row layout");
static_assert(offsetof(ExecutionRow, security_exchange) == 664, "execution row layout");

// Amounts are doubles here; the Position record holds them as integers.
struct PositionRow {
    char fund_account[64];
    char stock_account[56];
    double init_amount;
    double total_amount;
    double hold_cost;
    uint8_t unread1[8];
    double locked_amount;
    double closeable_amount;
    uint8_t unread2[24];
    double price;
    double value;
    uint8_t unread3[56];
    int64_t redemption_num;
    char symbol[32];
    char position_prop[8];  // decimal text
    double open_cost;
    double today_amount;
    double old_amount;
    char invest_type[8];  // decimal text
    double occupy_margin;
    uint8_t unread4[8];
    double close_pos_profit;
    double close_profit_by_trade;
    double commission;
    double contract_multiplier;
    uint8_t unread5[8];
    char option_hold_type[4];  // decimal text
    char security_exchange[28];
};
static_assert(sizeof(PositionRow) == 432, "position row layout");
static_assert(offsetof(PositionRow, stock_account) == 64, "position row layout");
static_assert(offsetof(PositionRow, init_amount) == 120, "position row layout");
static_assert(offsetof(PositionRow, locked_amount) == 152, "position row layout");
static_assert(offsetof(PositionRow, price) == 192, "position row layout");
static_assert(offsetof(PositionRow, redemption_num) == 264, "position row layout");
static_assert(offsetof(PositionRow, symbol) == 272, "position row layout");
static_assert(offsetof(PositionRow, position_prop) == 304, "position row layout");
static_assert(offsetof(PositionRow, open_cost) == 312, "position row layout");
static_assert(offsetof(PositionRow, invest_type) == 336, "position row layout");
static_assert(offsetof(PositionRow, occupy_margin) == 344, "position row layout");
static_assert(offsetof(PositionRow, close_pos_profit) == 360, "position row layout");
static_assert(offsetof(PositionRow, contract_multiplier) == 384, "position row layout");
static_assert(offsetof(PositionRow, option_hold_type) == 400, "position row layout");
static_assert(offsetof(PositionRow, security_exchange) == 404, "position row layout");

struct FundRow {
    char fund_account[72];
    double available_cash;
    double settled_cash;
    double hold_cash;
    double locked_cash;
    double total_value;
    double market_value;
    double transferable_cash;
    double available_margin;
    double occupied_margin;
    double pre_balance;
    double current_balance;
    double risk_level;
    double close_pos_profit;
    uint8_t unread1[8];
    double close_profit_by_trade;
    double commission;
    double frozen_commission;
    double freezed_deposit;
    double hk_available_cash;
    uint8_t unread2[24];
};
static_assert(sizeof(FundRow) == 248, "fund row layout");
static_assert(offsetof(FundRow, available_cash) == 72, "fund row layout");
static_assert(offsetof(FundRow, close_pos_profit) == 168, "fund row layout");
static_assert(offsetof(FundRow, close_profit_by_trade) == 184, "fund row layout");
static_assert(offsetof(FundRow, hk_available_cash) == 216, "fund row layout");

}  // namespace zq
