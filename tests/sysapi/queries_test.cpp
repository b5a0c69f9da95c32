// Trading queries as the data-access library receives them and as the
// strategy gets them back: the query records byte for byte, paging, and
// every row array handed back exactly once.
#include <gtest/gtest.h>

#include <cstring>

#include "bytes.h"
#include "apifixture.h"

namespace {

using fake::text;
using namespace Norq;

using QueriesTest = fake::SysApiTest;

zq::OrderRow orderRow(const char* id, int32_t amount) {
    zq::OrderRow row{};
    std::strcpy(row.order_id, id);
    row.amount = amount;
    return row;
}

TradeQuery tradeQuery(uint8_t ownOnly, uint8_t statusFilter) {
    TradeQuery query{};
    std::strcpy(query.symbol, "600000.SH");
    std::strcpy(query.order_id, "O-9");
    query.pass_through[0] = 11;
    query.pass_through[1] = -22;
    // Raw bytes: a strategy may leave anything non-zero in a flag.
    std::memcpy(&query.own_only, &ownOnly, 1);
    std::memcpy(&query.status_filter_flag, &statusFilter, 1);
    return query;
}

// A flag counts when any bit of it is set.
TEST_F(QueriesTest, OrderAndExecutionQueriesSendTheirRecordAndConvertEveryRowInOrder) {
    // The two flags; the instance, the order statuses and the execution status filter sent.
    const std::tuple<uint8_t, uint8_t, std::string, std::string, std::string> cases[] = {
        {1, 1, "instance-1", "1,2,7,4,3", "2"},
        {0, 0, "ALL", "", "0"},
        {7, 0, "instance-1", "", "0"},
        {0, 9, "ALL", "1,2,7,4,3", "2"}};
    zq::ExecutionRow trade{};
    std::strcpy(trade.trade_id, "T-1");
    for (const auto& [ownOnly, statusFilter, instance, statuses, statusField] : cases) {
        SCOPED_TRACE(instance + " " + statuses);
        host.clear();
        data.calls.clear();
        data.setRows("QueryEntrust", std::vector<zq::OrderRow>{orderRow("A", 1), orderRow("B", 2), orderRow("C", 3)},
                     57, false);
        data.setRows("QueryTradeDeal", std::vector<zq::ExecutionRow>{trade}, 1, true);
        OrderList orders = api->getOrders(ACCOUNT_STOCK, tradeQuery(ownOnly, statusFilter));
        EXPECT_EQ(static_cast<int>(host.callsTo(23).size()), instance == "ALL" ? 0 : 1);
        ZqOrderQuery sent = data.onlyQuery<ZqOrderQuery>();
        data.calls.clear();
        ExecutionList executions = api->getExecutions(ACCOUNT_STOCK, tradeQuery(ownOnly, statusFilter));
        ZqExecutionQuery sentToo = data.onlyQuery<ZqExecutionQuery>();

        EXPECT_EQ(text(sent.order_id) + "|" + text(sent.account_id) + "|" + text(sent.symbol) + "|" +
                      text(sent.instance) + "|" + text(sent.statuses),
                  "O-9|880001|600000.SH|" + instance + "|" + statuses);
        EXPECT_EQ(text(sentToo.order_id) + "|" + text(sentToo.account_id) + "|" + text(sentToo.symbol) + "|" +
                      text(sentToo.instance) + "|" + text(sentToo.status_filter) + "|" + text(sentToo.fixed),
                  "O-9|880001|600000.SH|" + instance + "|" + statusField + "|0");
        EXPECT_EQ((std::vector<int32_t>{sent.pass_through[0], sent.pass_through[1], sent.tail, sentToo.pass_through[0],
                                        sentToo.pass_through[1], sentToo.tail}),
                  (std::vector<int32_t>{11, -22, -1, 11, -22, -1}));

        ASSERT_EQ(orders.getSize(), 3);
        EXPECT_EQ(text(orders.get(0).order_id) + text(orders.get(1).order_id) + text(orders.get(2).order_id), "ABC");
        EXPECT_EQ(orders.get(2).amount, 3);
        EXPECT_EQ(std::make_tuple(orders.isLast(), orders.totalCount()), std::make_tuple(false, 57));
        ASSERT_EQ(executions.getSize(), 1);
        EXPECT_EQ(text(executions.get(0).trade_id), "T-1");
        EXPECT_EQ(std::make_tuple(executions.isLast(), executions.totalCount()), std::make_tuple(true, 1));
        EXPECT_EQ(std::make_pair(ZqDataAccessGetStats().outstanding, ZqDataAccessGetStats().foreign_releases),
                  std::make_pair(0, 0));
    }
    EXPECT_EQ(ZqDataAccessGetStats().releases, 8) << "one ReleaseMem per answer";
}

TEST_F(QueriesTest, PositionQueriesNameTheirSourceAndReleaseTheRows) {
    zq::PositionRow row{};
    std::strcpy(row.symbol, "000001.SZ");
    row.total_amount = 99.9;
    data.setRows("QueryStockPosition", std::vector<zq::PositionRow>{row});
    // The query from the positions kept (0) or from the counter (1).
    for (int64_t source : {0, 1}) {
        SCOPED_TRACE(source);
        data.calls.clear();
        PositionList positions = source ? api->getPositionFromCounter(ACCOUNT_STOCK, nullptr)
                                        : api->getPositions(ACCOUNT_STOCK, "000001.SZ");
        ZqPositionQuery sent = data.onlyQuery<ZqPositionQuery>();
        EXPECT_EQ(data.calls.at(0).numbers, std::vector<int64_t>{source});
        EXPECT_EQ(text(sent.account_id) + "|" + text(sent.symbol) + "|" + std::to_string(sent.tail),
                  std::string("880001|") + (source ? "" : "000001.SZ") + "|-1");
        ASSERT_EQ(positions.getSize(), 1);
        EXPECT_EQ(text(positions.get(0).symbol), "000001.SZ");
        EXPECT_EQ(positions.get(0).total_amount, 99);
    }
    EXPECT_EQ(std::make_pair(ZqDataAccessGetStats().outstanding, ZqDataAccessGetStats().releases),
              std::make_pair(0, 2));
}

TEST_F(QueriesTest, FundQueriesConvertTheRowAndReleaseNothing) {
    zq::FundRow row{};
    std::strcpy(row.fund_account, "880001");
    row.available_cash = 1000.5;
    row.hk_available_cash = 7.25;
    data.setRows("QueryFundQuota", std::vector<zq::FundRow>{row});
    FundInfo fund = api->getFundInfo(ACCOUNT_STOCK);
    EXPECT_EQ(text(data.onlyQuery<ZqFundQuery>().account_id), "880001");
    EXPECT_EQ(std::make_tuple(text(fund.fund_account), fund.available_cash, fund.hk_available_cash),
              std::make_tuple(std::string("880001"), 1000.5, 7.25));
    EXPECT_EQ(ZqDataAccessGetStats().releases, 0);
}

}  // namespace
