// The platform's trading rows as strategies receive them: every field of
// every record, texts cut to their record fields, numbers read or truncated
// safely, and no stale byte left in a record.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>

#include "bytes.h"
#include "convert/zqstructassembler.h"

namespace {

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

// An order text field, named for the traces, with what it should hold: the
// first width - 1 'x' of its row field.
#define CUT(name) std::make_tuple(#name, fake::text(order.name), std::string(sizeof order.name - 1, 'x'))

// The row is 'x' throughout, so every text fills its row field with no NUL
// and must be cut to its record field; a copy that read past its row field
// would run off the row, which the sanitizer build reports. The error code's
// text is cut like any other. Then a text is "ab", and the 'x' after its NUL
// must stay behind.
TEST(ZqStructAssembler, TextsAreCutToTheRecordFieldsAndEndAtTheirNul) {
    zq::OrderRow orderRow;
    std::memset(&orderRow, 'x', sizeof orderRow);
    orderRow.error_code = INT32_MIN;
    const Norq::Order order = converted(ZqStructAssembler::orderFromRow, orderRow);
    // clang-format off
    const std::tuple<const char*, std::string, std::string> fields[] = {CUT(trader_name), CUT(fund_account),
        CUT(entrust_no), CUT(orig_order_id), CUT(price_type), CUT(order_id), CUT(symbol), CUT(algo_inst_id),
        CUT(inst_id), CUT(cancel_info), CUT(entrust_prop), CUT(security_exchange)};
    // clang-format on
    for (const auto& [name, text, expected] : fields) EXPECT_EQ(text, expected) << name;
    EXPECT_EQ(fake::text(order.error_code), "-214748");

    std::strcpy(orderRow.cancel_info, "ab");
    const Norq::Order ab = converted(ZqStructAssembler::orderFromRow, orderRow);
    EXPECT_EQ(std::string(ab.cancel_info, sizeof ab.cancel_info),
              std::string("ab").append(sizeof ab.cancel_info - 2, '\0'));
}

#undef CUT

}  // namespace
