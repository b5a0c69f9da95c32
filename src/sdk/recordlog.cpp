// The log form of records, lists and parameters. Log readers and support
// tools parse these texts, so every label and separator is fixed.
#include <cstring>
#include <ostream>

#include "norq/records.h"
#include "norq/strategyparams.h"
#include "norq/zqlog.h"
#include "norq/zqstring.h"
#include "sdk/zqlogimpl.h"

namespace Norq {

namespace {

// A fixed text field up to its NUL, or whole when it has none.
template <size_t N>
void textOf(std::ostream& out, const char (&field)[N]) {
    out.write(field, static_cast<std::streamsize>(strnlen(field, N)));
}

// "[" + one "\n<label>:<value>" per field + "\n]". Values use the stream's
// default forms.
class Labelled {
public:
    explicit Labelled(std::ostream& out) : out_(out) { out_ << '['; }
    ~Labelled() { out_ << "\n]"; }
    Labelled(const Labelled&) = delete;
    Labelled& operator=(const Labelled&) = delete;

    template <size_t N>
    Labelled& text(const char* label, const char (&field)[N]) {
        out_ << '\n' << label << ':';
        textOf(out_, field);
        return *this;
    }

    template <typename T>
    Labelled& number(const char* label, T value) {
        out_ << '\n' << label << ':' << value;
        return *this;
    }

    Labelled& flag(const char* label, bool value) { return number(label, value ? 1 : 0); }

private:
    std::ostream& out_;
};

// Writes the values of a fixed array separated by ",".
template <typename T, size_t N>
void joined(std::ostream& out, const T (&values)[N]) {
    for (size_t i = 0; i < N; ++i) out << (i ? "," : "") << values[i];
}

// The fields a queried bar and a pushed bar share, in their order.
template <typename Bar>
Labelled& barFields(Labelled&& out, const Bar& v) {
    return out.text("datetime", v.datetime)
        .number("open", v.open)
        .number("close", v.close)
        .number("high", v.high)
        .number("low", v.low)
        .number("total_volume", v.total_volume)
        .number("total_money", v.total_money)
        .number("num_trades", v.num_trades);
}

}  // namespace

ZqLog& ZqLog::operator<<(StrategyParams& v) {
    impl->stream() << '[' << v.getStrategyParams().str() << ']';
    return *this;
}

ZqLog& ZqLog::operator<<(const SymbolList& v) {
    impl->stream() << '[';
    for (int i = 0; i < v.getSize(); ++i) impl->stream() << (i ? "," : "") << v.get(i).str();
    impl->stream() << ']';
    return *this;
}

ZqLog& ZqLog::operator<<(const Order& v) {
    Labelled(impl->stream())
        .number("status", v.status)
        .text("add_time", v.add_time)
        .number("amount", v.amount)
        .number("filled", v.filled)
        .text("symbol", v.symbol)
        .text("order_id", v.order_id)
        .number("price", v.price)
        .number("avg_cost", v.avg_cost)
        .number("side", v.side)
        .number("action", v.action)
        .number("invest_type", v.invest_type)
        .number("close_direction", v.close_direction)
        .number("batch_no", v.batch_no)
        .text("orig_order_id", v.orig_order_id)
        .text("price_type", v.price_type)
        .text("cancel_info", v.cancel_info)
        .number("withdraw_amount", v.withdraw_amount)
        .number("business_balance", v.business_balance)
        .number("clear_balance", v.clear_balance)
        .text("entrust_prop", v.entrust_prop)
        .number("entrust_type", v.entrust_type)
        .text("algo_inst_id", v.algo_inst_id)
        .text("error_code", v.error_code)
        .text("inst_id", v.inst_id)
        .text("trader_name", v.trader_name)
        .text("entrust_no", v.entrust_no)
        .number("covered_flag", v.covered_flag)
        .number("last_amount", v.last_amount)
        .number("last_price", v.last_price)
        .text("fund_account", v.fund_account)
        .text("security_exchange", v.security_exchange);
    return *this;
}

ZqLog& ZqLog::operator<<(const Execution& v) {
    Labelled(impl->stream())
        .text("time", v.time)
        .number("amount", v.amount)
        .number("price", v.price)
        .text("trade_id", v.trade_id)
        .text("order_id", v.order_id)
        .text("symbol", v.symbol)
        .number("entrust_type", v.entrust_type)
        .number("business_balance", v.business_balance)
        .number("cost_balance", v.cost_balance)
        .text("orig_order_id", v.orig_order_id)
        .number("side", v.side)
        .text("algo_inst_id", v.algo_inst_id)
        .text("inst_id", v.inst_id)
        .text("trader_name", v.trader_name)
        .number("action", v.action)
        .number("invest_type", v.invest_type)
        .number("close_direction", v.close_direction)
        .text("entrust_no", v.entrust_no)
        .text("priceType", v.priceType)
        .text("fund_account", v.fund_account)
        .text("security_exchange", v.security_exchange);
    return *this;
}

ZqLog& ZqLog::operator<<(const Position& v) {
    Labelled(impl->stream())
        .text("symbol", v.symbol)
        .number("price", v.price)
        .number("hold_cost", v.hold_cost)
        .text("init_time", v.init_time)
        .text("transact_time", v.transact_time)
        .number("total_amount", v.total_amount)
        .number("closeable_amount", v.closeable_amount)
        .number("locked_amount", v.locked_amount)
        .number("value", v.value)
        .number("redemption_num", v.redemption_num)
        .number("position_prop", v.position_prop)
        .number("init_amount", v.init_amount)
        .number("open_cost", v.open_cost)
        .number("today_amount", v.today_amount)
        .number("old_amount", v.old_amount)
        .number("occupy_margin", v.occupy_margin)
        .number("close_pos_profit", v.close_pos_profit)
        .number("close_profit_by_trade", v.close_profit_by_trade)
        .number("commission", v.commission)
        .number("contract_multiplier", v.contract_multiplier)
        .number("invest_type", v.invest_type)
        .number("option_hold_type", v.option_hold_type)
        .text("fund_account", v.fund_account)
        .text("stock_account", v.stock_account)
        .text("security_exchange", v.security_exchange);
    return *this;
}

ZqLog& ZqLog::operator<<(const FundInfo& v) {
    Labelled(impl->stream())
        .number("available_cash", v.available_cash)
        .number("locked_cash", v.locked_cash)
        .number("total_value", v.total_value)
        .number("starting_cash", v.starting_cash)
        .number("positions_value", v.positions_value)
        .number("settled_cash", v.settled_cash)
        .number("hold_cash", v.hold_cash)
        .number("market_value", v.market_value)
        .number("transferable_cash", v.transferable_cash)
        .number("available_margin", v.available_margin)
        .number("occupied_margin", v.occupied_margin)
        .number("pre_balance", v.pre_balance)
        .number("current_balance", v.current_balance)
        .number("risk_level", v.risk_level)
        .number("holding_profit", v.holding_profit)
        .number("close_pos_profit", v.close_pos_profit)
        .number("close_profit_by_trade", v.close_profit_by_trade)
        .number("commission", v.commission)
        .number("frozen_commission", v.frozen_commission)
        .number("freezed_deposit", v.freezed_deposit)
        .text("fund_account", v.fund_account)
        .number("hk_available_cash", v.hk_available_cash);
    return *this;
}

// By position, no labels: the price and volume ladders in brackets, and a
// "[...]" marker in place of each order-queue array.
ZqLog& ZqLog::operator<<(const Tick& v) {
    std::ostream& out = impl->stream();
    out << '[';
    textOf(out, v.symbol);
    out << ',' << v.trading_day << ',' << v.update_time << ',' << v.pre_close << ',' << v.open << ',' << v.high << ','
        << v.low << ',' << v.last << ',' << v.volume << ',' << v.num_trades << ',' << v.turnover << ','
        << v.total_bid_volume << ',' << v.total_ask_volume << ',' << v.avg_bid_price << ',' << v.avg_ask_price << ",[";
    joined(out, v.ask_price);
    out << "],[";
    joined(out, v.bid_price);
    out << "],[";
    joined(out, v.ask_volume);
    out << "],[";
    joined(out, v.bid_volume);
    out << "]," << v.high_limit << ',' << v.low_limit << ',' << v.iopv << ',' << v.open_interest << ','
        << v.pre_open_interest << ',' << v.settle_price << ',' << v.pre_settle_price << ',' << v.delta << ','
        << v.pre_delta << ',';
    textOf(out, v.trading_phase);
    out << ",[...],[...]," << v.ask_queue_length << ',' << v.bid_queue_length << ",[...],[...],"
        << v.withdraw_buy_number << ',' << v.withdraw_buy_volume << ',' << v.withdraw_buy_amount << ','
        << v.withdraw_sell_number << ',' << v.withdraw_sell_volume << ',' << v.withdraw_sell_amount << ','
        << v.total_bid_number << ',' << v.total_ask_number << ',' << v.bid_trade_max_duration << ','
        << v.ask_trade_max_duration << ',' << v.close_price << ',' << v.num_bid_levels << ',' << v.num_ask_levels << ','
        << v.after_hours_price << ',' << v.after_hours_volume << ',' << v.after_hours_turnover << ']';
    return *this;
}

ZqLog& ZqLog::operator<<(const KLineData& v) {
    barFields(Labelled(impl->stream()), v)
        .text("symbol", v.symbol)
        .number("open_interest", v.open_interest)
        .number("settle_price", v.settle_price);
    return *this;
}

ZqLog& ZqLog::operator<<(const KLineDataPush& v) {
    barFields(Labelled(impl->stream()), v).text("symbol", v.symbol).text("data_type", v.data_type);
    return *this;
}

ZqLog& ZqLog::operator<<(const SecurityDetial& v) {
    Labelled(impl->stream())
        .text("symbol", v.symbol)
        .text("display_name", v.display_name)
        .text("spell_name", v.spell_name)
        .number("start_date", v.start_date)
        .number("end_date", v.end_date)
        .text("security_type", v.security_type)
        .text("security_sub_type", v.security_sub_type)
        .number("st_flag", v.st_flag)
        .number("trading_phase_code", v.trading_phase_code)
        .number("round_lot", v.round_lot)
        .number("local_total_share", v.local_total_share)
        .number("local_listed_share", v.local_listed_share)
        .number("tick_size", v.tick_size)
        .number("high_limit_px", v.high_limit_px)
        .number("low_limit_px", v.low_limit_px)
        .number("pre_close_px", v.pre_close_px)
        .number("margin_trading_flag", v.margin_trading_flag)
        .number("strike_price", v.strike_price)
        .number("strike_date", v.strike_date)
        .text("put_or_call", v.put_or_call)
        .text("underlying_symbol", v.underlying_symbol)
        .text("convert_symbol", v.convert_symbol)
        .number("convert_price", v.convert_price)
        .number("convert_start_date", v.convert_start_date)
        .number("convert_end_date", v.convert_end_date);
    return *this;
}

ZqLog& ZqLog::operator<<(const EtfInfo& v) {
    Labelled(impl->stream())
        .text("etf_fund_symbol", v.etf_fund_symbol)
        .text("etf_symbol", v.etf_symbol)
        .number("report_unit", v.report_unit)
        .number("cash_balance", v.cash_balance)
        .number("max_cash_ratio", v.max_cash_ratio)
        .number("pre_cash_componet", v.pre_cash_componet)
        .number("nav_percu", v.nav_percu)
        .number("nav_pre", v.nav_pre)
        .number("allot_max", v.allot_max)
        .number("redeem_max", v.redeem_max);
    return *this;
}

ZqLog& ZqLog::operator<<(const EtfConstituentInfo& v) {
    Labelled(impl->stream())
        .text("symbol", v.symbol)
        .number("sample_size", v.sample_size)
        .number("cash_replace_flag", v.cash_replace_flag)
        .number("deposit_ratio", v.deposit_ratio)
        .number("replace_balance", v.replace_balance)
        .number("pre_close_px", v.pre_close_px)
        .number("high_limit_px", v.high_limit_px)
        .number("low_limit_px", v.low_limit_px)
        .flag("suspend_flag", v.suspend_flag);
    return *this;
}

ZqLog& ZqLog::operator<<(const EtfEstimateInfo& v) {
    Labelled(impl->stream())
        .text("symbol", v.symbol)
        .text("datetime", v.datetime)
        .number("IOPV", v.IOPV)
        .number("DIOPVS1", v.DIOPVS1)
        .number("DIOPVB1", v.DIOPVB1)
        .number("premium", v.premium)
        .number("discount", v.discount);
    return *this;
}

ZqLog& ZqLog::operator<<(const MarginAsset& v) {
    Labelled(impl->stream())
        .number("cash_asset", v.cash_asset)
        .number("security_market_value", v.security_market_value)
        .number("assure_asset", v.assure_asset)
        .number("total_liability", v.total_liability)
        .number("maintain_value", v.maintain_value)
        .number("available_margin", v.available_margin)
        .number("occupy_margin", v.occupy_margin)
        .number("collateral_available_money", v.collateral_available_money)
        .number("finance_available_money", v.finance_available_money)
        .number("security_available_fund", v.security_available_fund)
        .number("cash_available_money", v.cash_available_money)
        .number("finance_quota_capacity", v.finance_quota_capacity)
        .number("finance_available_quota", v.finance_available_quota)
        .number("finance_occupy_quota", v.finance_occupy_quota)
        .number("finance_occupy_margin", v.finance_occupy_margin)
        .number("finance_compact_quota", v.finance_compact_quota)
        .number("finance_compact_commission", v.finance_compact_commission)
        .number("finance_compact_interest", v.finance_compact_interest)
        .number("finance_market_value", v.finance_market_value)
        .number("finance_compact_revenue", v.finance_compact_revenue)
        .number("security_loan_quota_capacity", v.security_loan_quota_capacity)
        .number("security_loan_available_quota", v.security_loan_available_quota)
        .number("security_loan_occupy_quota", v.security_loan_occupy_quota)
        .number("security_loan_occupy_margin", v.security_loan_occupy_margin)
        .number("security_loan_compact_quota", v.security_loan_compact_quota)
        .number("security_loan_compact_commission", v.security_loan_compact_commission)
        .number("security_loan_compact_interest", v.security_loan_compact_interest)
        .number("security_loan_market_value", v.security_loan_market_value)
        .number("security_loan_compact_revenue", v.security_loan_compact_revenue)
        .number("transfer_asset", v.transfer_asset)
        .number("compact_total_interest", v.compact_total_interest)
        .number("net_asset", v.net_asset)
        .number("withdraw_quota", v.withdraw_quota)
        .number("security_loan_sell_balance", v.security_loan_sell_balance);
    return *this;
}

ZqLog& ZqLog::operator<<(const MarginContract& v) {
    Labelled(impl->stream())
        .number("contract_type", v.contract_type)
        .number("open_date", v.open_date)
        .text("symbol", v.symbol)
        .number("position_type", v.position_type)
        .number("unpaid_amount", v.unpaid_amount)
        .number("unpaid_qty", v.unpaid_qty)
        .number("interest", v.interest)
        .number("cost", v.cost)
        .number("deadline", v.deadline)
        .text("contract_no", v.contract_no);
    return *this;
}

ZqLog& ZqLog::operator<<(const MarginSecurityInfo& v) {
    Labelled(impl->stream())
        .number("loan_available_qty", v.loan_available_qty)
        .number("loan_ratio", v.loan_ratio)
        .number("position_type", v.position_type)
        .text("symbol", v.symbol);
    return *this;
}

ZqLog& ZqLog::operator<<(const RecordOrder& v) {
    Labelled(impl->stream())
        .text("symbol", v.symbol)
        .text("datetime", v.datetime)
        .number("side", v.side)
        .number("order_type", v.order_type)
        .number("price", v.price)
        .number("amount", v.amount)
        .number("order_index", v.order_index)
        .number("order_no", v.order_no)
        .number("appl_seq_num", v.appl_seq_num)
        .number("channel_no", v.channel_no);
    return *this;
}

ZqLog& ZqLog::operator<<(const RecordTransaction& v) {
    Labelled(impl->stream())
        .text("symbol", v.symbol)
        .text("datetime", v.datetime)
        .number("trade_type", v.trade_type)
        .number("side", v.side)
        .number("price", v.price)
        .number("amount", v.amount)
        .number("business_balance", v.business_balance)
        .number("trade_buy_no", v.trade_buy_no)
        .number("trade_sell_no", v.trade_sell_no)
        .number("trade_index", v.trade_index)
        .number("appl_seq_num", v.appl_seq_num)
        .number("channel_no", v.channel_no);
    return *this;
}

ZqLog& ZqLog::operator<<(const RecordOrder591& v) {
    return *this << static_cast<const RecordOrder&>(v);
}

ZqLog& ZqLog::operator<<(const RecordTransaction591& v) {
    return *this << static_cast<const RecordTransaction&>(v);
}

}  // namespace Norq
