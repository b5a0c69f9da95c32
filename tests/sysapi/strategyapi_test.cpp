// The system API as a separately built strategy library reaches it: through
// its context, by the slots it was compiled against, from inside onInit.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include "adapterfixture.h"
#include "bytes.h"
#include "fakedataaccess.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"

namespace {

using fake::AdapterTest;
using fake::text;

zq::HostOrderRecord recordAt(const fake::HostCall& call, size_t offset = 0) {
    return fake::recordAt<zq::HostOrderRecord>(call.bytes, offset);
}

TEST_F(AdapterTest, AStrategyLibraryTradesAndQueriesThroughItsContextFromOnInit) {
    host.accountIds = {{"stock", "880001"}, {"stock_margin", "M-1"}, {"option", "O-1"}};
    host.answers[zq::kCodeBatchOrders] = {};
    host.answers[zq::kCodeOrderReply] = {};
    host.answers[zq::kCodeUnderlyingFreeze] = {};
    // One answer for every 2055 query: reference data, ETF terms, tradable quantity.
    host.answers[zq::kCodeQuery].data =
        R"({"LotSize":"200","etf_fund_symbol":"510050","report_unit":900000,"rsp_body_data":1500})";
    host.answers[zq::kCodeStartStrategy].returned = 5;
    host.answers[zq::kCodeCustomMessage].returned = 6;
    fake::FakeDataAccess data;
    zq::OrderRow order{};
    std::strcpy(order.order_id, "O-42");
    data.setRows("QueryEntrust", std::vector<zq::OrderRow>{order}, 9, false);
    zq::PositionRow position{};
    std::strcpy(position.symbol, "600000.SH");
    data.setRows("QueryStockPosition", std::vector<zq::PositionRow>{position, position});
    zq::FundRow fund{};
    fund.available_cash = 12345.6;
    data.setRows("QueryFundQuota", std::vector<zq::FundRow>{fund});
    Norq::KLineData bar{};
    std::strcpy(bar.symbol, "600000.SH");
    data.setRows("QueryKLineData", std::vector<Norq::KLineData>{bar, bar, bar});

    std::string trader = fake::libraryPath("teststrategy_trader");
    ASSERT_EQ(adapter->RunStrategy(trader.c_str(), "{}"), 0);
    const fake::StrategyEvent* init = recorder().last(1);
    ASSERT_NE(init, nullptr);
    const std::pair<const char*, int64_t> numbers[] = {{"order status", 1},         {"entrust type as asked", 10},
                                                       {"batch size", 1},           {"batch number", 77},
                                                       {"reply switch", 0},         {"orders", 1},
                                                       {"orders in total", 9},      {"positions", 2},
                                                       {"available cash", 12345},   {"bars", 3},
                                                       {"round lot", 200},          {"new instance", 5},
                                                       {"custom message", 6},       {"ETF report unit", 900000},
                                                       {"tradable quantity", 1500}, {"freeze status", 1},
                                                       {"freeze side", 1}};
    ASSERT_EQ(init->numbers.size(), std::size(numbers));
    for (size_t i = 0; i < std::size(numbers); ++i) EXPECT_EQ(init->numbers[i], numbers[i].second) << numbers[i].first;

    auto orders = host.callsTo(24);
    auto buffers = host.callsTo(25);
    ASSERT_EQ(orders.size(), 1u);
    ASSERT_EQ(buffers.size(), 3u);  // the batch, the custom message, the freeze
    EXPECT_EQ(text(recordAt(orders[0]).order_flag), "R3");
    EXPECT_EQ(text(recordAt(buffers[0], sizeof(zq::HostBatchHeader)).client_order_id), "own-id-1");
    EXPECT_EQ(buffers[2].numbers, (std::vector<int64_t>{zq::kCodeUnderlyingFreeze, 240}));
    const std::string placed = text(recordAt(orders[0]).client_order_id);
    const std::pair<const char*, std::string> texts[] = {{"placed order", placed},
                                                         {"batched order", "own-id-1"},
                                                         {"cancelled order", placed},
                                                         {"first order", "O-42"},
                                                         {"first position", "600000.SH"},
                                                         {"second bar", "600000.SH"},
                                                         {"ETF", "510050"},
                                                         {"freeze", text(recordAt(buffers[2]).client_order_id)}};
    ASSERT_EQ(init->texts.size(), std::size(texts));
    for (size_t i = 0; i < std::size(texts); ++i) EXPECT_EQ(init->texts[i], texts[i].second) << texts[i].first;

    EXPECT_EQ(host.callsTo(0).size(), 6u) << "cancel, reply switch, reference data, new instance, ETF, quantity";
    EXPECT_EQ(ZqDataAccessGetStats().outstanding, 0) << "every row array went back";
}

}  // namespace
