// The platform's trading rows as strategies receive them: every field of
// every record, texts cut to their record fields, numbers read or truncated
// safely, and no stale byte left in a record.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "bytes.h"
#include "convert/zqstructassembler.h"

namespace {

// A row as the platform might hand it over: junk wherever no field is set.
template <typename Row>
Row rowOf(char fill = 0x7f) {
    Row row;
    std::memset(&row, fill, sizeof row);
    return row;
}

template <typename Row, typename Record>
Record converted(void (*convert)(const Row&, Record&), const Row& row) {
    Record record;
    std::memset(&record, 0xa5, sizeof record);
    convert(row, record);
    return record;
}

// Converts into a record full of junk and compares every byte, padding
// included. The expected records are static, so their padding is zero.
template <typename Row, typename Record>
::testing::AssertionResult convertsTo(void (*convert)(const Row&, Record&), const Row& row, const Record& expected) {
    const Record actual = converted(convert, row);
    const auto* a = reinterpret_cast<const unsigned char*>(&actual);
    const auto* e = reinterpret_cast<const unsigned char*>(&expected);
    for (size_t i = 0; i < sizeof actual; ++i)
        if (a[i] != e[i])
            return ::testing::AssertionFailure() << "byte " << i << " is " << +a[i] << ", expected " << +e[i];
    return ::testing::AssertionSuccess();
}

// A position's init_time and transact_time, and a fund's starting_cash,
// positions_value and holding_profit have no row field and stay empty.
TEST(ZqStructAssembler, EveryRecordTakesEveryFieldFromItsRow) {
    // clang-format off
    const zq::OrderRow order = {"trader-7", "880001", "E-1001", "O-2002", " 6", 10.25, 10.125, 300, 500, 1, 93015,
        20240102, {}, 42, "0", 100, {}, 2, 3037.5, 3040.25, "{ord-3003}", -17, "600000.SH", "algo-4004", "inst-5005",
        "11", "-12", "+13", "14 ", "cancelled by user", "ABC", "SH", 200, 10.5, {}};
    static const Norq::Order expectedOrder = {6, "20240102 09:30:15 000", 500, 300, "600000.SH", "{ord-3003}", 10.25,
        10.125, 1, 11, -12, 13, 42, "O-2002", "0", "cancelled by user", 100, 3037.5, 3040.25, "ABC", 2, "algo-4004",
        "-17", "inst-5005", "trader-7", "E-1001", 14, 200, 10.5, "880001", "SH"};
    const zq::ExecutionRow execution = {20231231, "880002", 2, 9.75, 1200, 150000, "21", "E-6006", "O-7007", 11700.0,
        "1", 11705.5, "trader-8", "{ord-8008}", "000001.SZ", "T-9009", "algo-1010", "inst-1111", "22", "23", "24", {},
        "SZ", {}};
    static const Norq::Execution expectedExecution = {"20231231 15:00:00 000", 1200, 9.75, "T-9009", "{ord-8008}",
        "000001.SZ", 21, 11700.0, 11705.5, "O-7007", 2, "algo-1010", "inst-1111", "trader-8", 22, 23, 24, "E-6006", "1",
        "880002", "SZ"};
    const zq::PositionRow position = {"880003", "A123456789", 1000.0, 1500.7, 12.5, {}, 100.2, 1399.99, {}, 13.25,
        19875.0, {}, 77, "510300.SH", "31", 12.75, 500.5, 999.9, "32", 1.5, {}, 2.5, 3.5, 4.5, 300.0, {}, "33", "SH"};
    static const Norq::Position expectedPosition = {"510300.SH", 13.25, 12.5, "", "", 1500, 1399, 100, 19875.0, 77, 31,
        1000, 12.75, 500, 999, 1.5, 2.5, 3.5, 4.5, 300, 32, 33, "880003", "A123456789", "SH"};
    const zq::FundRow fund = {"880004", 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5, 9.5, 10.5, 11.5, 12.5, 13.5, {}, 14.5,
        15.5, 16.5, 17.5, 18.5, {}};
    static const Norq::FundInfo expectedFund = {1.5, 4.5, 5.5, 0, 0, 2.5, 3.5, 6.5, 7.5, 8.5, 9.5, 10.5, 11.5, 12.5, 0,
        13.5, 14.5, 15.5, 16.5, 17.5, "880004", 18.5};
    // clang-format on
    EXPECT_TRUE(convertsTo(ZqStructAssembler::orderFromRow, order, expectedOrder)) << "order";
    EXPECT_TRUE(convertsTo(ZqStructAssembler::executionFromRow, execution, expectedExecution)) << "execution";
    EXPECT_TRUE(convertsTo(ZqStructAssembler::positionFromRow, position, expectedPosition)) << "position";
    EXPECT_TRUE(convertsTo(ZqStructAssembler::fundInfoFromRow, fund, expectedFund)) << "fund";
}

// A record text field, named for the traces, holds width - 1 'x'.
struct TextField {
    const char* name;
    std::string text;
    size_t size;
};
#define FIELD(record, name) (TextField{#name, fake::text(record.name), sizeof record.name})

void expectCutToWidth(std::initializer_list<TextField> fields) {
    for (const TextField& f : fields) EXPECT_EQ(f.text, std::string(f.size - 1, 'x')) << f.name;
}

// The rows are 'x' throughout, so every text fills its row field with no NUL
// and must be cut to the first width - 1 of those characters; a copy that
// read past its row field would run off the row, which the sanitizer build
// reports. Then a text is "ab", and the 'x' after its NUL must stay behind.
TEST(ZqStructAssembler, TextsAreCutToTheRecordFieldsAndEndAtTheirNul) {
    auto orderRow = rowOf<zq::OrderRow>('x');
    const Norq::Order order = converted(ZqStructAssembler::orderFromRow, orderRow);
    expectCutToWidth({FIELD(order, trader_name), FIELD(order, fund_account), FIELD(order, entrust_no),
                      FIELD(order, orig_order_id), FIELD(order, price_type), FIELD(order, order_id),
                      FIELD(order, symbol), FIELD(order, algo_inst_id), FIELD(order, inst_id),
                      FIELD(order, cancel_info), FIELD(order, entrust_prop), FIELD(order, security_exchange)});
    const Norq::Execution execution = converted(ZqStructAssembler::executionFromRow, rowOf<zq::ExecutionRow>('x'));
    expectCutToWidth({FIELD(execution, fund_account), FIELD(execution, entrust_no), FIELD(execution, orig_order_id),
                      FIELD(execution, priceType), FIELD(execution, trader_name), FIELD(execution, order_id),
                      FIELD(execution, symbol), FIELD(execution, trade_id), FIELD(execution, algo_inst_id),
                      FIELD(execution, inst_id), FIELD(execution, security_exchange)});
    const Norq::Position position = converted(ZqStructAssembler::positionFromRow, rowOf<zq::PositionRow>('x'));
    expectCutToWidth({FIELD(position, fund_account), FIELD(position, stock_account), FIELD(position, symbol),
                      FIELD(position, security_exchange)});
    const Norq::FundInfo fund = converted(ZqStructAssembler::fundInfoFromRow, rowOf<zq::FundRow>('x'));
    expectCutToWidth({FIELD(fund, fund_account)});

    std::strcpy(orderRow.cancel_info, "ab");
    const Norq::Order ab = converted(ZqStructAssembler::orderFromRow, orderRow);
    EXPECT_EQ(std::string(ab.cancel_info, sizeof ab.cancel_info),
              std::string("ab").append(sizeof ab.cancel_info - 2, '\0'));
}

#undef FIELD

TEST(ZqStructAssembler, ErrorCodeBecomesDecimalTextOfAtMostSevenCharacters) {
    // clang-format off
    const struct { int32_t code; const char* text; } cases[] = {{0, "0"}, {12, "12"}, {-1, "-1"}, {1234567, "1234567"},
        {12345678, "1234567"}, {-123456, "-123456"}, {-1234567, "-123456"}, {INT32_MAX, "2147483"},
        {INT32_MIN, "-214748"}};
    // clang-format on
    for (const auto& c : cases) {
        auto row = rowOf<zq::OrderRow>();
        row.error_code = c.code;
        EXPECT_EQ(std::string(converted(ZqStructAssembler::orderFromRow, row).error_code), c.text) << c.code;
    }
}

// Every amount goes through the saturating truncation of its own width: a
// plain cast would be undefined for these, and gives other values on x86.
TEST(ZqStructAssembler, PositionAmountsTruncateTowardZeroAndSaturate) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    // clang-format off
    const struct { double value; int64_t amount; int32_t multiplier; } cases[] = {
        {99.9, 99, 99}, {-99.9, -99, -99}, {-0.5, 0, 0}, {-0.0, 0, 0}, {kNaN, 0, 0},
        {kInf, INT64_MAX, INT32_MAX}, {-kInf, INT64_MIN, INT32_MIN}, {1e300, INT64_MAX, INT32_MAX},
        {2147483647.9, 2147483647, INT32_MAX}, {2147483648.0, 2147483648, INT32_MAX},
        {-2147483648.9, -2147483648, INT32_MIN}, {-2147483649.0, -2147483649, INT32_MIN},
        // the largest double below 2^63, 2^63 itself, -2^63, and the next double below it
        {9223372036854774784.0, 9223372036854774784, INT32_MAX}, {9223372036854775808.0, INT64_MAX, INT32_MAX},
        {-9223372036854775808.0, INT64_MIN, INT32_MIN}, {-9223372036854777856.0, INT64_MIN, INT32_MIN},
    };
    // clang-format on
    double zq::PositionRow::*const rowAmounts[] = {&zq::PositionRow::init_amount,   &zq::PositionRow::total_amount,
                                                   &zq::PositionRow::locked_amount, &zq::PositionRow::closeable_amount,
                                                   &zq::PositionRow::today_amount,  &zq::PositionRow::old_amount};
    int64_t Norq::Position::*const amounts[] = {&Norq::Position::init_amount,   &Norq::Position::total_amount,
                                                &Norq::Position::locked_amount, &Norq::Position::closeable_amount,
                                                &Norq::Position::today_amount,  &Norq::Position::old_amount};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        auto row = rowOf<zq::PositionRow>();
        for (auto amount : rowAmounts) row.*amount = c.value;
        row.contract_multiplier = c.value;
        const Norq::Position position = converted(ZqStructAssembler::positionFromRow, row);
        for (size_t i = 0; i < 6; ++i) EXPECT_EQ(position.*amounts[i], c.amount) << "amount " << i;
        EXPECT_EQ(position.contract_multiplier, c.multiplier);
    }
}

}  // namespace
