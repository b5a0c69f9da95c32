// The system API as a separately built strategy library reaches it: through
// its context, by the slots it was compiled against, from inside onInit.
#include <gtest/gtest.h>

#include <cstring>

#include "adapterfixture.h"
#include "bytes.h"
#include "fakedataaccess.h"
#include "zq/hostorder.h"

namespace {

using fake::AdapterTest;
using fake::text;

zq::HostOrderRecord recordAt(const fake::HostCall& call, size_t offset = 0) {
    return fake::recordAt<zq::HostOrderRecord>(call.bytes, offset);
}

TEST_F(AdapterTest, AStrategyLibraryTradesAndQueriesThroughItsContextFromOnInit) {
    host.accountIds = {{"stock", "880001"}};
    host.answers[2201] = {};
    host.answers[2226] = {};
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
    // Trading: status, entrust type as asked, batch size, batch number, reply
    // switch. Queries: orders, their total, positions, available cash, bars.
    EXPECT_EQ(init->numbers, (std::vector<int64_t>{1, 10, 1, 77, 0, 1, 9, 2, 12345, 3}));
    ASSERT_EQ(init->texts.size(), 6u);
    auto orders = host.callsTo(24);
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(init->texts[0], text(recordAt(orders[0]).client_order_id));
    EXPECT_EQ(text(recordAt(orders[0]).order_flag), "R3");
    EXPECT_EQ(init->texts[1], "own-id-1");
    EXPECT_EQ(text(recordAt(host.callsTo(25).at(0), sizeof(zq::HostBatchHeader)).client_order_id), "own-id-1");
    EXPECT_EQ(init->texts[2], init->texts[0]) << "the cancel names the order placed";
    auto requests = host.callsTo(0);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].numbers, std::vector<int64_t>{2053});
    EXPECT_EQ(requests[1].numbers, std::vector<int64_t>{2226});
    EXPECT_EQ((std::vector<std::string>{init->texts.begin() + 3, init->texts.end()}),
              (std::vector<std::string>{"O-42", "600000.SH", "600000.SH"}));
    EXPECT_EQ(ZqDataAccessGetStats().outstanding, 0) << "every row array went back";
}

}  // namespace
