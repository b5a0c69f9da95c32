// The platform's trading rows as strategies receive them: every field of
// every record, texts cut to their record fields, numbers read or truncated
// safely, and no stale byte left in a record.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "convert/zqstructassembler.h"

namespace {

// A row as the platform might hand it over: junk wherever no field is set.
template <typename Row>
Row rowOf(char fill = 0x7f) {
    Row row;
    std::memset(&row, fill, sizeof row);
    return row;
}

// Text ending in NUL inside the field unless it fills the field.
template <size_t N>
void put(char (&field)[N], const std::string& text) {
    ASSERT_LE(text.size(), N);
    std::memcpy(field, text.data(), text.size());
    if (text.size() < N) field[text.size()] = '\0';
}

// The field holds exactly `text` and zeros after it.
template <size_t N>
::testing::AssertionResult holds(const char (&field)[N], const std::string& text) {
    if (text.size() >= N) return ::testing::AssertionFailure() << "'" << text << "' cannot fit " << N << " bytes";
    if (std::string(field, text.size()) != text || field[text.size()] != '\0')
        return ::testing::AssertionFailure() << "holds '" << std::string(field, strnlen(field, N)) << "', not '"
                                             << text << "'";
    for (size_t i = text.size(); i < N; ++i)
        if (field[i] != '\0') return ::testing::AssertionFailure() << "byte " << i << " after the text is not zero";
    return ::testing::AssertionSuccess();
}

template <typename Record>
Record junkRecord() {
    Record record;
    std::memset(&record, 0xa5, sizeof record);
    return record;
}

TEST(ZqStructAssembler, OrderTakesEveryFieldFromItsRow) {
    auto row = rowOf<zq::OrderRow>();
    put(row.trader_name, "trader-7");
    put(row.fund_account, "880001");
    put(row.entrust_no, "E-1001");
    put(row.orig_order_id, "O-2002");
    put(row.status, " 6");
    row.price = 10.25;
    row.avg_cost = 10.125;
    row.filled = 300;
    row.amount = 500;
    row.side = 1;
    row.date = 20240102;
    row.time_of_day = 93015;
    row.batch_no = 42;
    put(row.price_type, "0");
    row.withdraw_amount = 100;
    row.entrust_type = 2;
    row.business_balance = 3037.5;
    row.clear_balance = 3040.25;
    put(row.order_id, "{ord-3003}");
    row.error_code = -17;
    put(row.symbol, "600000.SH");
    put(row.algo_inst_id, "algo-4004");
    put(row.inst_id, "inst-5005");
    put(row.action, "11");
    put(row.invest_type, "-12");
    put(row.close_direction, "+13");
    put(row.covered_flag, "14 ");
    put(row.cancel_info, "cancelled by user");
    put(row.entrust_prop, "ABC");
    put(row.security_exchange, "SH");
    row.last_amount = 200;
    row.last_price = 10.5;

    auto order = junkRecord<Norq::Order>();
    ZqStructAssembler::orderFromRow(row, order);

    EXPECT_TRUE(holds(order.trader_name, "trader-7"));
    EXPECT_TRUE(holds(order.fund_account, "880001"));
    EXPECT_TRUE(holds(order.entrust_no, "E-1001"));
    EXPECT_TRUE(holds(order.orig_order_id, "O-2002"));
    EXPECT_EQ(order.status, 6);
    EXPECT_EQ(order.price, 10.25);
    EXPECT_EQ(order.avg_cost, 10.125);
    EXPECT_EQ(order.filled, 300);
    EXPECT_EQ(order.amount, 500);
    EXPECT_EQ(order.side, 1);
    EXPECT_TRUE(holds(order.add_time, "20240102 09:30:15 000"));
    EXPECT_EQ(order.batch_no, 42);
    EXPECT_TRUE(holds(order.price_type, "0"));
    EXPECT_EQ(order.withdraw_amount, 100);
    EXPECT_EQ(order.entrust_type, 2);
    EXPECT_EQ(order.business_balance, 3037.5);
    EXPECT_EQ(order.clear_balance, 3040.25);
    EXPECT_TRUE(holds(order.order_id, "{ord-3003}"));
    EXPECT_TRUE(holds(order.error_code, "-17"));
    EXPECT_TRUE(holds(order.symbol, "600000.SH"));
    EXPECT_TRUE(holds(order.algo_inst_id, "algo-4004"));
    EXPECT_TRUE(holds(order.inst_id, "inst-5005"));
    EXPECT_EQ(order.action, 11);
    EXPECT_EQ(order.invest_type, -12);
    EXPECT_EQ(order.close_direction, 13);
    EXPECT_EQ(order.covered_flag, 14);
    EXPECT_TRUE(holds(order.cancel_info, "cancelled by user"));
    EXPECT_TRUE(holds(order.entrust_prop, "ABC"));
    EXPECT_TRUE(holds(order.security_exchange, "SH"));
    EXPECT_EQ(order.last_amount, 200);
    EXPECT_EQ(order.last_price, 10.5);
}

TEST(ZqStructAssembler, ExecutionTakesEveryFieldFromItsRow) {
    auto row = rowOf<zq::ExecutionRow>();
    row.date = 20231231;
    put(row.fund_account, "880002");
    row.side = 2;
    row.price = 9.75;
    row.amount = 1200;
    row.time_of_day = 150000;
    put(row.entrust_type, "21");
    put(row.entrust_no, "E-6006");
    put(row.orig_order_id, "O-7007");
    row.business_balance = 11700.0;
    put(row.price_type, "1");
    row.cost_balance = 11705.5;
    put(row.trader_name, "trader-8");
    put(row.order_id, "{ord-8008}");
    put(row.symbol, "000001.SZ");
    put(row.trade_id, "T-9009");
    put(row.algo_inst_id, "algo-1010");
    put(row.inst_id, "inst-1111");
    put(row.action, "22");
    put(row.invest_type, "23");
    put(row.close_direction, "24");
    put(row.security_exchange, "SZ");

    auto execution = junkRecord<Norq::Execution>();
    ZqStructAssembler::executionFromRow(row, execution);

    EXPECT_TRUE(holds(execution.time, "20231231 15:00:00 000"));
    EXPECT_TRUE(holds(execution.fund_account, "880002"));
    EXPECT_EQ(execution.side, 2);
    EXPECT_EQ(execution.price, 9.75);
    EXPECT_EQ(execution.amount, 1200);
    EXPECT_EQ(execution.entrust_type, 21);
    EXPECT_TRUE(holds(execution.entrust_no, "E-6006"));
    EXPECT_TRUE(holds(execution.orig_order_id, "O-7007"));
    EXPECT_EQ(execution.business_balance, 11700.0);
    EXPECT_TRUE(holds(execution.priceType, "1"));
    EXPECT_EQ(execution.cost_balance, 11705.5);
    EXPECT_TRUE(holds(execution.trader_name, "trader-8"));
    EXPECT_TRUE(holds(execution.order_id, "{ord-8008}"));
    EXPECT_TRUE(holds(execution.symbol, "000001.SZ"));
    EXPECT_TRUE(holds(execution.trade_id, "T-9009"));
    EXPECT_TRUE(holds(execution.algo_inst_id, "algo-1010"));
    EXPECT_TRUE(holds(execution.inst_id, "inst-1111"));
    EXPECT_EQ(execution.action, 22);
    EXPECT_EQ(execution.invest_type, 23);
    EXPECT_EQ(execution.close_direction, 24);
    EXPECT_TRUE(holds(execution.security_exchange, "SZ"));
}

TEST(ZqStructAssembler, PositionTakesEveryFieldFromItsRow) {
    auto row = rowOf<zq::PositionRow>();
    put(row.fund_account, "880003");
    put(row.stock_account, "A123456789");
    row.init_amount = 1000.0;
    row.total_amount = 1500.7;
    row.hold_cost = 12.5;
    row.locked_amount = 100.2;
    row.closeable_amount = 1399.99;
    row.price = 13.25;
    row.value = 19875.0;
    row.redemption_num = 77;
    put(row.symbol, "510300.SH");
    put(row.position_prop, "31");
    row.open_cost = 12.75;
    row.today_amount = 500.5;
    row.old_amount = 999.9;
    put(row.invest_type, "32");
    row.occupy_margin = 1.5;
    row.close_pos_profit = 2.5;
    row.close_profit_by_trade = 3.5;
    row.commission = 4.5;
    row.contract_multiplier = 300.0;
    put(row.option_hold_type, "33");
    put(row.security_exchange, "SH");

    auto position = junkRecord<Norq::Position>();
    ZqStructAssembler::positionFromRow(row, position);

    EXPECT_TRUE(holds(position.fund_account, "880003"));
    EXPECT_TRUE(holds(position.stock_account, "A123456789"));
    EXPECT_EQ(position.init_amount, 1000);
    EXPECT_EQ(position.total_amount, 1500);
    EXPECT_EQ(position.hold_cost, 12.5);
    EXPECT_EQ(position.locked_amount, 100);
    EXPECT_EQ(position.closeable_amount, 1399);
    EXPECT_EQ(position.price, 13.25);
    EXPECT_EQ(position.value, 19875.0);
    EXPECT_EQ(position.redemption_num, 77);
    EXPECT_TRUE(holds(position.symbol, "510300.SH"));
    EXPECT_EQ(position.position_prop, 31);
    EXPECT_EQ(position.open_cost, 12.75);
    EXPECT_EQ(position.today_amount, 500);
    EXPECT_EQ(position.old_amount, 999);
    EXPECT_EQ(position.invest_type, 32);
    EXPECT_EQ(position.occupy_margin, 1.5);
    EXPECT_EQ(position.close_pos_profit, 2.5);
    EXPECT_EQ(position.close_profit_by_trade, 3.5);
    EXPECT_EQ(position.commission, 4.5);
    EXPECT_EQ(position.contract_multiplier, 300);
    EXPECT_EQ(position.option_hold_type, 33);
    EXPECT_TRUE(holds(position.security_exchange, "SH"));
    EXPECT_TRUE(holds(position.init_time, ""));
    EXPECT_TRUE(holds(position.transact_time, ""));
}

TEST(ZqStructAssembler, FundInfoTakesEveryFieldFromItsRow) {
    auto row = rowOf<zq::FundRow>();
    put(row.fund_account, "880004");
    row.available_cash = 1.5;
    row.settled_cash = 2.5;
    row.hold_cash = 3.5;
    row.locked_cash = 4.5;
    row.total_value = 5.5;
    row.market_value = 6.5;
    row.transferable_cash = 7.5;
    row.available_margin = 8.5;
    row.occupied_margin = 9.5;
    row.pre_balance = 10.5;
    row.current_balance = 11.5;
    row.risk_level = 12.5;
    row.close_pos_profit = 13.5;
    row.close_profit_by_trade = 14.5;
    row.commission = 15.5;
    row.frozen_commission = 16.5;
    row.freezed_deposit = 17.5;
    row.hk_available_cash = 18.5;

    auto fund = junkRecord<Norq::FundInfo>();
    ZqStructAssembler::fundInfoFromRow(row, fund);

    EXPECT_TRUE(holds(fund.fund_account, "880004"));
    EXPECT_EQ(fund.available_cash, 1.5);
    EXPECT_EQ(fund.settled_cash, 2.5);
    EXPECT_EQ(fund.hold_cash, 3.5);
    EXPECT_EQ(fund.locked_cash, 4.5);
    EXPECT_EQ(fund.total_value, 5.5);
    EXPECT_EQ(fund.market_value, 6.5);
    EXPECT_EQ(fund.transferable_cash, 7.5);
    EXPECT_EQ(fund.available_margin, 8.5);
    EXPECT_EQ(fund.occupied_margin, 9.5);
    EXPECT_EQ(fund.pre_balance, 10.5);
    EXPECT_EQ(fund.current_balance, 11.5);
    EXPECT_EQ(fund.risk_level, 12.5);
    EXPECT_EQ(fund.close_pos_profit, 13.5);
    EXPECT_EQ(fund.close_profit_by_trade, 14.5);
    EXPECT_EQ(fund.commission, 15.5);
    EXPECT_EQ(fund.frozen_commission, 16.5);
    EXPECT_EQ(fund.freezed_deposit, 17.5);
    EXPECT_EQ(fund.hk_available_cash, 18.5);
    EXPECT_EQ(fund.starting_cash, 0.0);
    EXPECT_EQ(fund.positions_value, 0.0);
    EXPECT_EQ(fund.holding_profit, 0.0);
}

// A text field of a record, seen as bytes.
struct TextField {
    const char* name;
    const char* bytes;
    size_t size;
};

template <size_t N>
TextField field(const char* name, const char (&bytes)[N]) {
    return {name, bytes, N};
}

// The rows are 'x' throughout, so every text fills its field with no NUL;
// each record text must be the first width - 1 of those characters. A copy
// that read past its row field would run off the row, which the sanitizer
// build reports.
void expectCutToWidth(std::initializer_list<TextField> fields) {
    for (const TextField& f : fields) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(std::string(f.bytes, strnlen(f.bytes, f.size)), std::string(f.size - 1, 'x'));
    }
}

#define FIELD(record, name) field(#name, record.name)

TEST(ZqStructAssembler, TextsFillingTheirRowFieldsAreCutToTheRecordFields) {
    const auto orderRow = rowOf<zq::OrderRow>('x');
    auto order = junkRecord<Norq::Order>();
    ZqStructAssembler::orderFromRow(orderRow, order);
    expectCutToWidth({FIELD(order, trader_name), FIELD(order, fund_account), FIELD(order, entrust_no),
                      FIELD(order, orig_order_id), FIELD(order, price_type), FIELD(order, order_id),
                      FIELD(order, symbol), FIELD(order, algo_inst_id), FIELD(order, inst_id),
                      FIELD(order, cancel_info), FIELD(order, entrust_prop), FIELD(order, security_exchange)});
    EXPECT_EQ(order.status, 0);
    EXPECT_EQ(order.action, 0);
    EXPECT_TRUE(holds(order.add_time, ""));

    const auto executionRow = rowOf<zq::ExecutionRow>('x');
    auto execution = junkRecord<Norq::Execution>();
    ZqStructAssembler::executionFromRow(executionRow, execution);
    expectCutToWidth({FIELD(execution, fund_account), FIELD(execution, entrust_no),
                      FIELD(execution, orig_order_id), FIELD(execution, priceType), FIELD(execution, trader_name),
                      FIELD(execution, order_id), FIELD(execution, symbol), FIELD(execution, trade_id),
                      FIELD(execution, algo_inst_id), FIELD(execution, inst_id),
                      FIELD(execution, security_exchange)});
    EXPECT_EQ(execution.entrust_type, 0);
    EXPECT_TRUE(holds(execution.time, ""));

    const auto positionRow = rowOf<zq::PositionRow>('x');
    auto position = junkRecord<Norq::Position>();
    ZqStructAssembler::positionFromRow(positionRow, position);
    expectCutToWidth({FIELD(position, fund_account), FIELD(position, stock_account), FIELD(position, symbol),
                      FIELD(position, security_exchange)});
    EXPECT_EQ(position.position_prop, 0);
    EXPECT_EQ(position.option_hold_type, 0);

    const auto fundRow = rowOf<zq::FundRow>('x');
    auto fund = junkRecord<Norq::FundInfo>();
    ZqStructAssembler::fundInfoFromRow(fundRow, fund);
    expectCutToWidth({FIELD(fund, fund_account)});
}

#undef FIELD

// The same row converted into records of different prior contents must give
// the same bytes, padding included.
template <typename Row, typename Record>
void expectNoStaleBytes(void (*convert)(const Row&, Record&)) {
    const auto row = rowOf<Row>();
    Record zeros, ones;
    std::memset(&zeros, 0x00, sizeof zeros);
    std::memset(&ones, 0xff, sizeof ones);
    convert(row, zeros);
    convert(row, ones);
    EXPECT_EQ(std::memcmp(&zeros, &ones, sizeof zeros), 0);
}

TEST(ZqStructAssembler, RecordsCarryNoStaleBytes) {
    expectNoStaleBytes(ZqStructAssembler::orderFromRow);
    expectNoStaleBytes(ZqStructAssembler::executionFromRow);
    expectNoStaleBytes(ZqStructAssembler::positionFromRow);
    expectNoStaleBytes(ZqStructAssembler::fundInfoFromRow);
}

TEST(ZqStructAssembler, ErrorCodeBecomesDecimalTextOfAtMostSevenCharacters) {
    const struct {
        int32_t code;
        const char* text;
    } cases[] = {
        {0, "0"},
        {12, "12"},
        {-1, "-1"},
        {1234567, "1234567"},
        {12345678, "1234567"},
        {-123456, "-123456"},
        {-1234567, "-123456"},
        {INT32_MAX, "2147483"},
        {INT32_MIN, "-214748"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        auto row = rowOf<zq::OrderRow>();
        row.error_code = c.code;
        auto order = junkRecord<Norq::Order>();
        ZqStructAssembler::orderFromRow(row, order);
        EXPECT_TRUE(holds(order.error_code, c.text));
    }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ZqStructAssembler, PositionAmountsTruncateTowardZeroAndSaturate) {
    const struct {
        double amount;
        int64_t held;
    } cases[] = {
        {99.9, 99},
        {-99.9, -99},
        {0.99, 0},
        {kNaN, 0},
        {kInf, INT64_MAX},
        {-kInf, INT64_MIN},
        {1e300, INT64_MAX},
        {-1e300, INT64_MIN},
        {3e9, 3000000000},
    };
    const struct {
        const char* name;
        double zq::PositionRow::*row;
        int64_t Norq::Position::*record;
    } amounts[] = {
        {"init_amount", &zq::PositionRow::init_amount, &Norq::Position::init_amount},
        {"total_amount", &zq::PositionRow::total_amount, &Norq::Position::total_amount},
        {"locked_amount", &zq::PositionRow::locked_amount, &Norq::Position::locked_amount},
        {"closeable_amount", &zq::PositionRow::closeable_amount, &Norq::Position::closeable_amount},
        {"today_amount", &zq::PositionRow::today_amount, &Norq::Position::today_amount},
        {"old_amount", &zq::PositionRow::old_amount, &Norq::Position::old_amount},
    };
    for (const auto& c : cases) {
        for (const auto& amount : amounts) {
            SCOPED_TRACE(std::string(amount.name) + " " + std::to_string(c.amount));
            auto row = rowOf<zq::PositionRow>();
            row.*amount.row = c.amount;
            auto position = junkRecord<Norq::Position>();
            ZqStructAssembler::positionFromRow(row, position);
            EXPECT_EQ(position.*amount.record, c.held);
        }
    }
}

TEST(ZqStructAssembler, ContractMultiplierTruncatesTowardZeroAndSaturatesToInt32) {
    const struct {
        double multiplier;
        int32_t held;
    } cases[] = {
        {99.9, 99},        {-99.9, -99},          {kNaN, 0},           {kInf, INT32_MAX},
        {-kInf, INT32_MIN}, {1e300, INT32_MAX},   {3e9, INT32_MAX},    {-3e9, INT32_MIN},
        {2147483647.9, INT32_MAX}, {-2147483648.9, INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.multiplier);
        auto row = rowOf<zq::PositionRow>();
        row.contract_multiplier = c.multiplier;
        auto position = junkRecord<Norq::Position>();
        ZqStructAssembler::positionFromRow(row, position);
        EXPECT_EQ(position.contract_multiplier, c.held);
    }
}

}  // namespace
