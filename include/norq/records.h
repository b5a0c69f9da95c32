// The SDK's records: fixed-layout plain structures that cross the library
// boundary by value and by pointer, so field order, types and text capacities
// are the binary interface. Texts are NUL-terminated UTF-8 in fixed arrays;
// whoever fills a record zero-fills it first (value-initialise: Order o{};)
// and copies at most capacity - 1 bytes into a text field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "norq/zqstring.h"

namespace Norq {

// An order as the platform reports it.
struct Order {
    int32_t status;
    char add_time[24];
    int32_t amount;
    int32_t filled;
    char symbol[14];
    char order_id[64];
    double price;
    double avg_cost;
    int32_t side;
    int32_t action;
    int32_t invest_type;
    int32_t close_direction;
    int32_t batch_no;
    char orig_order_id[64];
    char price_type[4];
    char cancel_info[256];
    int32_t withdraw_amount;
    double business_balance;
    double clear_balance;
    char entrust_prop[4];
    int32_t entrust_type;
    char algo_inst_id[64];
    char error_code[8];  // an integer error code written as decimal text
    char inst_id[64];
    char trader_name[32];
    char entrust_no[64];
    int32_t covered_flag;
    int32_t last_amount;
    double last_price;
    char fund_account[20];
    char security_exchange[4];
};
static_assert(sizeof(Order) == 784, "Order layout");
static_assert(offsetof(Order, symbol) == 36, "Order layout");
static_assert(offsetof(Order, order_id) == 50, "Order layout");
static_assert(offsetof(Order, price) == 120, "Order layout");
static_assert(offsetof(Order, cancel_info) == 224, "Order layout");
static_assert(offsetof(Order, business_balance) == 488, "Order layout");
static_assert(offsetof(Order, error_code) == 576, "Order layout");
static_assert(offsetof(Order, last_price) == 752, "Order layout");
static_assert(offsetof(Order, fund_account) == 760, "Order layout");
static_assert(offsetof(Order, security_exchange) == 780, "Order layout");

// A trade (execution) as the platform reports it.
struct Execution {
    char time[24];
    int32_t amount;
    double price;
    char trade_id[64];
    char order_id[64];
    char symbol[14];
    int32_t entrust_type;
    double business_balance;
    double cost_balance;
    char orig_order_id[64];
    int32_t side;
    char algo_inst_id[64];
    char inst_id[64];
    char trader_name[32];
    int32_t action;
    int32_t invest_type;
    int32_t close_direction;
    char entrust_no[64];
    char priceType[4];
    char fund_account[20];
    char security_exchange[4];
};
static_assert(sizeof(Execution) == 544, "Execution layout");
static_assert(offsetof(Execution, price) == 32, "Execution layout");
static_assert(offsetof(Execution, trade_id) == 40, "Execution layout");
static_assert(offsetof(Execution, symbol) == 168, "Execution layout");
static_assert(offsetof(Execution, business_balance) == 192, "Execution layout");
static_assert(offsetof(Execution, orig_order_id) == 208, "Execution layout");
static_assert(offsetof(Execution, entrust_no) == 448, "Execution layout");
static_assert(offsetof(Execution, priceType) == 512, "Execution layout");
static_assert(offsetof(Execution, fund_account) == 516, "Execution layout");
static_assert(offsetof(Execution, security_exchange) == 536, "Execution layout");

// A holding in one security.
struct Position {
    char symbol[14];
    double price;
    double hold_cost;
    char init_time[24];
    char transact_time[24];
    int64_t total_amount;
    int64_t closeable_amount;
    int64_t locked_amount;
    double value;
    int64_t redemption_num;
    int32_t position_prop;
    int64_t init_amount;
    double open_cost;
    int64_t today_amount;
    int64_t old_amount;
    double occupy_margin;
    double close_pos_profit;
    double close_profit_by_trade;
    double commission;
    int32_t contract_multiplier;
    int32_t invest_type;
    int32_t option_hold_type;
    char fund_account[20];
    char stock_account[20];
    char security_exchange[4];
};
static_assert(sizeof(Position) == 248, "Position layout");
static_assert(offsetof(Position, price) == 16, "Position layout");
static_assert(offsetof(Position, init_time) == 32, "Position layout");
static_assert(offsetof(Position, total_amount) == 80, "Position layout");
static_assert(offsetof(Position, position_prop) == 120, "Position layout");
static_assert(offsetof(Position, init_amount) == 128, "Position layout");
static_assert(offsetof(Position, contract_multiplier) == 192, "Position layout");
static_assert(offsetof(Position, fund_account) == 204, "Position layout");
static_assert(offsetof(Position, stock_account) == 224, "Position layout");
static_assert(offsetof(Position, security_exchange) == 244, "Position layout");

// The funds of one account.
struct FundInfo {
    double available_cash;
    double locked_cash;
    double total_value;
    double starting_cash;
    double positions_value;
    double settled_cash;
    double hold_cash;
    double market_value;
    double transferable_cash;
    double available_margin;
    double occupied_margin;
    double pre_balance;
    double current_balance;
    double risk_level;
    double holding_profit;
    double close_pos_profit;
    double close_profit_by_trade;
    double commission;
    double frozen_commission;
    double freezed_deposit;
    char fund_account[20];
    double hk_available_cash;
};
static_assert(sizeof(FundInfo) == 192, "FundInfo layout");
static_assert(offsetof(FundInfo, freezed_deposit) == 152, "FundInfo layout");
static_assert(offsetof(FundInfo, fund_account) == 160, "FundInfo layout");
static_assert(offsetof(FundInfo, hk_available_cash) == 184, "FundInfo layout");

// One bar of a bar query.
struct KLineData {
    char datetime[24];
    double open;
    double close;
    double high;
    double low;
    int64_t total_volume;
    double total_money;
    int64_t num_trades;
    char symbol[16];
    int64_t open_interest;
    double settle_price;
};
static_assert(sizeof(KLineData) == 112, "KLineData layout");
static_assert(offsetof(KLineData, open) == 24, "KLineData layout");
static_assert(offsetof(KLineData, total_volume) == 56, "KLineData layout");
static_assert(offsetof(KLineData, symbol) == 80, "KLineData layout");
static_assert(offsetof(KLineData, open_interest) == 96, "KLineData layout");
static_assert(offsetof(KLineData, settle_price) == 104, "KLineData layout");

// A market snapshot: the first 1048 bytes of the platform's tick record.
struct Tick {
    char symbol[16];
    int32_t trading_day;
    int32_t update_time;
    double pre_close;
    double open;
    double high;
    double low;
    double last;
    uint64_t volume;
    uint64_t num_trades;
    double turnover;
    uint64_t total_bid_volume;
    uint64_t total_ask_volume;
    double avg_bid_price;
    double avg_ask_price;
    double ask_price[10];
    double bid_price[10];
    int32_t ask_volume[10];
    int32_t bid_volume[10];
    double high_limit;
    double low_limit;
    double iopv;
    uint64_t open_interest;
    uint64_t pre_open_interest;
    double settle_price;
    double pre_settle_price;
    double delta;
    double pre_delta;
    char trading_phase[8];
    int32_t ask_order_queue[50];  // never printed
    int32_t bid_order_queue[50];  // never printed
    uint64_t ask_queue_length;
    uint64_t bid_queue_length;
    int32_t ask_level_orders[10];  // never printed
    int32_t bid_level_orders[10];  // never printed
    int32_t withdraw_buy_number;
    uint64_t withdraw_buy_volume;
    double withdraw_buy_amount;
    int32_t withdraw_sell_number;
    uint64_t withdraw_sell_volume;
    double withdraw_sell_amount;
    uint64_t total_bid_number;
    uint64_t total_ask_number;
    int32_t bid_trade_max_duration;
    int32_t ask_trade_max_duration;
    double close_price;
    int32_t num_bid_levels;
    int32_t num_ask_levels;
    double after_hours_price;
    uint64_t after_hours_volume;
    uint64_t after_hours_turnover;
};
static_assert(sizeof(Tick) == 1048, "Tick layout");
static_assert(offsetof(Tick, ask_price) == 120, "Tick layout");
static_assert(offsetof(Tick, bid_price) == 200, "Tick layout");
static_assert(offsetof(Tick, ask_volume) == 280, "Tick layout");
static_assert(offsetof(Tick, bid_volume) == 320, "Tick layout");
static_assert(offsetof(Tick, high_limit) == 360, "Tick layout");
static_assert(offsetof(Tick, trading_phase) == 432, "Tick layout");
static_assert(offsetof(Tick, ask_order_queue) == 440, "Tick layout");
static_assert(offsetof(Tick, bid_order_queue) == 640, "Tick layout");
static_assert(offsetof(Tick, ask_queue_length) == 840, "Tick layout");
static_assert(offsetof(Tick, ask_level_orders) == 856, "Tick layout");
static_assert(offsetof(Tick, withdraw_buy_number) == 936, "Tick layout");
static_assert(offsetof(Tick, withdraw_buy_volume) == 944, "Tick layout");
static_assert(offsetof(Tick, total_bid_number) == 984, "Tick layout");
static_assert(offsetof(Tick, close_price) == 1008, "Tick layout");
static_assert(offsetof(Tick, after_hours_price) == 1024, "Tick layout");
static_assert(offsetof(Tick, after_hours_turnover) == 1040, "Tick layout");

// One pushed bar. The 16 bytes after symbol are neither filled nor printed.
struct KLineDataPush {
    char datetime[24];
    double open;
    double close;
    double high;
    double low;
    int64_t total_volume;
    double total_money;
    int64_t num_trades;
    char symbol[14];
    char reserved[16];   // kept zero
    char data_type[12];  // the bar period of the push
};
static_assert(sizeof(KLineDataPush) == 128, "KLineDataPush layout");
static_assert(offsetof(KLineDataPush, open) == 24, "KLineDataPush layout");
static_assert(offsetof(KLineDataPush, total_volume) == 56, "KLineDataPush layout");
static_assert(offsetof(KLineDataPush, num_trades) == 72, "KLineDataPush layout");
static_assert(offsetof(KLineDataPush, symbol) == 80, "KLineDataPush layout");
static_assert(offsetof(KLineDataPush, reserved) == 94, "KLineDataPush layout");
static_assert(offsetof(KLineDataPush, data_type) == 110, "KLineDataPush layout");

// Reference data of one security. Dates are yyyyMMdd integers.
struct SecurityDetial {
    char symbol[14];
    char display_name[32];
    char spell_name[16];
    int32_t start_date;
    int32_t end_date;
    char security_type[8];
    char security_sub_type[8];
    int32_t st_flag;
    int32_t trading_phase_code;
    int32_t round_lot;
    int64_t local_total_share;
    int64_t local_listed_share;
    double tick_size;
    double high_limit_px;
    double low_limit_px;
    double pre_close_px;
    int32_t margin_trading_flag;
    double strike_price;
    int32_t strike_date;
    char put_or_call[4];
    char underlying_symbol[14];
    char convert_symbol[14];
    double convert_price;
    int32_t convert_start_date;
    int32_t convert_end_date;
};
static_assert(sizeof(SecurityDetial) == 224, "SecurityDetial layout");
static_assert(offsetof(SecurityDetial, start_date) == 64, "SecurityDetial layout");
static_assert(offsetof(SecurityDetial, security_type) == 72, "SecurityDetial layout");
static_assert(offsetof(SecurityDetial, local_total_share) == 104, "SecurityDetial layout");
static_assert(offsetof(SecurityDetial, margin_trading_flag) == 152, "SecurityDetial layout");
static_assert(offsetof(SecurityDetial, strike_price) == 160, "SecurityDetial layout");
static_assert(offsetof(SecurityDetial, put_or_call) == 172, "SecurityDetial layout");
static_assert(offsetof(SecurityDetial, underlying_symbol) == 176, "SecurityDetial layout");
static_assert(offsetof(SecurityDetial, convert_symbol) == 190, "SecurityDetial layout");
static_assert(offsetof(SecurityDetial, convert_price) == 208, "SecurityDetial layout");
static_assert(offsetof(SecurityDetial, convert_end_date) == 220, "SecurityDetial layout");

// An ETF's creation and redemption terms. etf_type and etf_status are not part of its log form.
struct EtfInfo {
    char etf_fund_symbol[14];
    char etf_symbol[14];
    int32_t report_unit;
    double cash_balance;
    double max_cash_ratio;
    double pre_cash_componet;
    double nav_percu;
    double nav_pre;
    int64_t allot_max;
    int64_t redeem_max;
    int32_t etf_type;
    int32_t etf_status;
};
static_assert(sizeof(EtfInfo) == 96, "EtfInfo layout");
static_assert(offsetof(EtfInfo, etf_symbol) == 14, "EtfInfo layout");
static_assert(offsetof(EtfInfo, report_unit) == 28, "EtfInfo layout");
static_assert(offsetof(EtfInfo, cash_balance) == 32, "EtfInfo layout");
static_assert(offsetof(EtfInfo, allot_max) == 72, "EtfInfo layout");
static_assert(offsetof(EtfInfo, etf_type) == 88, "EtfInfo layout");
static_assert(offsetof(EtfInfo, etf_status) == 92, "EtfInfo layout");

// One constituent of an ETF basket.
struct EtfConstituentInfo {
    char symbol[14];
    int32_t sample_size;
    int32_t cash_replace_flag;
    double deposit_ratio;
    double replace_balance;
    double pre_close_px;
    double high_limit_px;
    double low_limit_px;
    bool suspend_flag;
};
static_assert(sizeof(EtfConstituentInfo) == 72, "EtfConstituentInfo layout");
static_assert(offsetof(EtfConstituentInfo, sample_size) == 16, "EtfConstituentInfo layout");
static_assert(offsetof(EtfConstituentInfo, deposit_ratio) == 24, "EtfConstituentInfo layout");
static_assert(offsetof(EtfConstituentInfo, suspend_flag) == 64, "EtfConstituentInfo layout");

// A pushed ETF valuation estimate.
struct EtfEstimateInfo {
    char symbol[14];
    char datetime[24];
    double IOPV;
    double DIOPVS1;
    double DIOPVB1;
    double premium;
    double discount;
};
static_assert(sizeof(EtfEstimateInfo) == 80, "EtfEstimateInfo layout");
static_assert(offsetof(EtfEstimateInfo, datetime) == 14, "EtfEstimateInfo layout");
static_assert(offsetof(EtfEstimateInfo, IOPV) == 40, "EtfEstimateInfo layout");
static_assert(offsetof(EtfEstimateInfo, discount) == 72, "EtfEstimateInfo layout");

// The assets and liabilities of a margin account.
struct MarginAsset {
    double cash_asset;
    double security_market_value;
    double assure_asset;
    double total_liability;
    double maintain_value;
    double available_margin;
    double occupy_margin;
    double collateral_available_money;
    double finance_available_money;
    double security_available_fund;
    double cash_available_money;
    double finance_quota_capacity;
    double finance_available_quota;
    double finance_occupy_quota;
    double finance_occupy_margin;
    double finance_compact_quota;
    double finance_compact_commission;
    double finance_compact_interest;
    double finance_market_value;
    double finance_compact_revenue;
    double security_loan_quota_capacity;
    double security_loan_available_quota;
    double security_loan_occupy_quota;
    double security_loan_occupy_margin;
    double security_loan_compact_quota;
    double security_loan_compact_commission;
    double security_loan_compact_interest;
    double security_loan_market_value;
    double security_loan_compact_revenue;
    double transfer_asset;
    double compact_total_interest;
    double net_asset;
    double withdraw_quota;
    double security_loan_sell_balance;
};
static_assert(sizeof(MarginAsset) == 272, "MarginAsset layout");
static_assert(offsetof(MarginAsset, security_loan_sell_balance) == 264, "MarginAsset layout");

// One margin contract (financing or securities lending).
struct MarginContract {
    int32_t contract_type;
    int32_t open_date;
    char symbol[14];
    int32_t position_type;
    double unpaid_amount;
    int64_t unpaid_qty;
    double interest;
    double cost;
    int32_t deadline;
    char contract_no[32];
};
static_assert(sizeof(MarginContract) == 104, "MarginContract layout");
static_assert(offsetof(MarginContract, symbol) == 8, "MarginContract layout");
static_assert(offsetof(MarginContract, position_type) == 24, "MarginContract layout");
static_assert(offsetof(MarginContract, unpaid_amount) == 32, "MarginContract layout");
static_assert(offsetof(MarginContract, deadline) == 64, "MarginContract layout");
static_assert(offsetof(MarginContract, contract_no) == 68, "MarginContract layout");

// What can be borrowed of one security.
struct MarginSecurityInfo {
    int64_t loan_available_qty;
    double loan_ratio;
    int32_t position_type;
    char symbol[14];
};
static_assert(sizeof(MarginSecurityInfo) == 40, "MarginSecurityInfo layout");
static_assert(offsetof(MarginSecurityInfo, loan_ratio) == 8, "MarginSecurityInfo layout");
static_assert(offsetof(MarginSecurityInfo, position_type) == 16, "MarginSecurityInfo layout");
static_assert(offsetof(MarginSecurityInfo, symbol) == 20, "MarginSecurityInfo layout");

// The margin assets as the broker's counter reports them. error_code 0 means
// `asset` holds the answer; otherwise error_info says why and `asset` is zero.
// Unlike the plain records it owns a text: value-initialise it
// (MarginAssetRsp r{};), never fill it with memset.
struct MarginAssetRsp {
    int32_t error_code;
    ZqString error_info;
    MarginAsset asset;
};
static_assert(sizeof(MarginAssetRsp) == 296, "MarginAssetRsp layout");
static_assert(offsetof(MarginAssetRsp, error_info) == 8, "MarginAssetRsp layout");
static_assert(offsetof(MarginAssetRsp, asset) == 24, "MarginAssetRsp layout");

// One tick-by-tick order.
struct RecordOrder {
    char symbol[14];
    char datetime[26];
    int32_t side;
    int32_t order_type;
    double price;
    int32_t amount;
    int64_t order_index;
    int64_t order_no;
    int64_t appl_seq_num;
    int64_t channel_no;
};
static_assert(sizeof(RecordOrder) == 96, "RecordOrder layout");
static_assert(offsetof(RecordOrder, datetime) == 14, "RecordOrder layout");
static_assert(offsetof(RecordOrder, side) == 40, "RecordOrder layout");
static_assert(offsetof(RecordOrder, price) == 48, "RecordOrder layout");
static_assert(offsetof(RecordOrder, amount) == 56, "RecordOrder layout");
static_assert(offsetof(RecordOrder, order_index) == 64, "RecordOrder layout");
static_assert(offsetof(RecordOrder, channel_no) == 88, "RecordOrder layout");

// One tick-by-tick trade.
struct RecordTransaction {
    char symbol[14];
    char datetime[26];
    int32_t trade_type;
    int32_t side;
    double price;
    int32_t amount;
    double business_balance;
    int64_t trade_buy_no;
    int64_t trade_sell_no;
    int64_t trade_index;
    int64_t appl_seq_num;
    int64_t channel_no;
};
static_assert(sizeof(RecordTransaction) == 112, "RecordTransaction layout");
static_assert(offsetof(RecordTransaction, datetime) == 14, "RecordTransaction layout");
static_assert(offsetof(RecordTransaction, trade_type) == 40, "RecordTransaction layout");
static_assert(offsetof(RecordTransaction, price) == 48, "RecordTransaction layout");
static_assert(offsetof(RecordTransaction, amount) == 56, "RecordTransaction layout");
static_assert(offsetof(RecordTransaction, business_balance) == 64, "RecordTransaction layout");
static_assert(offsetof(RecordTransaction, channel_no) == 104, "RecordTransaction layout");

// One constituent of an index, copied whole from the platform's record.
struct IndexComponent {
    char component_code_a[16];
    char component_code_b[16];
    double component_value;
};
static_assert(sizeof(IndexComponent) == 40, "IndexComponent layout");
static_assert(offsetof(IndexComponent, component_code_b) == 16, "IndexComponent layout");
static_assert(offsetof(IndexComponent, component_value) == 32, "IndexComponent layout");

// The host's reply to an order or cancel request.
struct OrderReply {
    char entrust_type[4];
    char error_code[8];
    char fund_account[20];
    char ord_id[64];
    char org_ord_id[64];
    int32_t batch_no;
    char algo_inst_id[64];
    char instance_id[64];
    char error_info[256];
};
static_assert(sizeof(OrderReply) == 548, "OrderReply layout");
static_assert(offsetof(OrderReply, entrust_type) == 0, "OrderReply layout");
static_assert(offsetof(OrderReply, error_code) == 4, "OrderReply layout");
static_assert(offsetof(OrderReply, fund_account) == 12, "OrderReply layout");
static_assert(offsetof(OrderReply, ord_id) == 32, "OrderReply layout");
static_assert(offsetof(OrderReply, org_ord_id) == 96, "OrderReply layout");
static_assert(offsetof(OrderReply, batch_no) == 160, "OrderReply layout");
static_assert(offsetof(OrderReply, algo_inst_id) == 164, "OrderReply layout");
static_assert(offsetof(OrderReply, instance_id) == 228, "OrderReply layout");
static_assert(offsetof(OrderReply, error_info) == 292, "OrderReply layout");

// The host's full snapshot record: a Tick followed by 256 bytes that only
// the host fills.
struct TickEx : Tick {
    uint8_t extension[256];
};
static_assert(sizeof(TickEx) == 1304, "TickEx layout");

// Reference data of one security with room the platform keeps for later
// fields; this library never writes the extension (it stays zero).
struct SecurityDetialEx : SecurityDetial {
    uint8_t extension[256];
};
static_assert(sizeof(SecurityDetialEx) == 480, "SecurityDetialEx layout");

// The trading terms of one futures contract.
struct FutureContractInfo {
    char security_symbol[16];
    double price_step;
    int32_t contract_multiplier;
    int32_t start_deliv_date;
    int32_t end_deliv_date;
    double long_margin_ratio;
    double short_margin_ratio;
    double long_margin_ratio_amount;
    double short_margin_ratio_amount;
    int32_t margin_ratio_flag;
    int64_t market_max_buy_qty;
    int64_t market_max_sell_qty;
    int32_t market_min_buy_qty;
    int32_t market_min_sell_qty;
    int64_t max_buy_qty;
    int64_t max_sell_qty;
    int32_t min_buy_qty;
    int32_t min_sell_qty;
};
static_assert(sizeof(FutureContractInfo) == 128, "FutureContractInfo layout");
static_assert(offsetof(FutureContractInfo, price_step) == 16, "FutureContractInfo layout");
static_assert(offsetof(FutureContractInfo, long_margin_ratio) == 40, "FutureContractInfo layout");
static_assert(offsetof(FutureContractInfo, margin_ratio_flag) == 72, "FutureContractInfo layout");
static_assert(offsetof(FutureContractInfo, market_max_buy_qty) == 80, "FutureContractInfo layout");
static_assert(offsetof(FutureContractInfo, max_buy_qty) == 104, "FutureContractInfo layout");
static_assert(offsetof(FutureContractInfo, min_sell_qty) == 124, "FutureContractInfo layout");

// Tick-by-tick records under their second names; same layouts.
struct RecordOrder591 : RecordOrder {};
static_assert(sizeof(RecordOrder591) == sizeof(RecordOrder), "RecordOrder591 layout");
struct RecordTransaction591 : RecordTransaction {};
static_assert(sizeof(RecordTransaction591) == sizeof(RecordTransaction), "RecordTransaction591 layout");

}  // namespace Norq
