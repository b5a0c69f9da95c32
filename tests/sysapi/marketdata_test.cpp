// Subscriptions and snapshots as the host receives them; market-data and trading
// queries as the data-access library does, and every row array handed back once.
#include <gtest/gtest.h>

#include <cstring>

#include "apifixture.h"
#include "bytes.h"
#include "zq/hostcodes.h"

namespace {

using fake::text;
using namespace Norq;
using MarketDataTest = fake::SysApiTest;
using QueriesTest = fake::SysApiTest;

// `count` rows in which neighbouring bytes differ.
template <typename Row>
std::vector<Row> patternedRows(size_t count) {
    std::vector<Row> rows(count);
    uint8_t* bytes = reinterpret_cast<uint8_t*>(rows.data());
    for (size_t b = 0; b < count * sizeof(Row); ++b) bytes[b] = static_cast<uint8_t>(b * 7 + 1);
    return rows;
}

template <typename Row, typename List>
void expectCopies(List&& list, const std::vector<Row>& rows) {
    ASSERT_EQ(list.getSize(), static_cast<int>(rows.size()));
    for (int i = 0; i < list.getSize(); ++i) EXPECT_EQ(std::memcmp(&list.get(i), &rows[i], sizeof(Row)), 0) << i;
}

// Only bars name their period.
TEST_F(MarketDataTest, SubscriptionsSendTheHostCodeAndTheSymbolList) {
    host.subscribeResult = 17;
    SymbolList two;
    for (const char* s : {"600000.SH", "000001.SZ"}) two.put(s);
    const std::string pair = R"("sub_list":[{"security_symbol":"600000.SH"},{"security_symbol":"000001.SZ"}]}})";
    const std::pair<int32_t, int32_t> cases[] = {{1, zq::kSubscribeDataType1}, {2, zq::kSubscribeBars},
                                                 {3, zq::kSubscribeDataType3}, {4, zq::kSubscribeDataType4},
                                                 {5, zq::kSubscribeDataType5}, {6, zq::kSubscribeDataType6},
                                                 {7, zq::kSubscribeUnknown},   {0, zq::kSubscribeUnknown}};
    for (const auto& [dataType, code] : cases) {
        SCOPED_TRACE(dataType);
        host.clear();
        EXPECT_EQ((std::vector<int>{api->subscribe(two, dataType), api->unsubscribe(two, dataType)}),
                  (std::vector<int>{17, 17}));
        const std::string json =
            R"({"params":{)" + std::string(dataType == 2 ? R"("period_type":"kline_1m",)" : "") + pair;
        EXPECT_EQ(hostSlots(), (std::vector<int>{9, 10}));
        for (const fake::HostCall& call : host.calls)
            EXPECT_EQ(std::make_pair(call.numbers, call.texts),
                      std::make_pair(std::vector<int64_t>{code}, std::vector<std::string>{json}));
    }
}

TEST_F(MarketDataTest, BarQueriesPadTheirTimesAndDefaultTheirType) {
    // Start, end, query type and flag; the start and end texts and the query type sent.
    const std::tuple<int64_t, int64_t, int32_t, bool, std::string, std::string, int64_t> cases[] = {
        {20240102, 20240103, 0, false, "20240102000000", "20240103000000", 11},
        {202401021500301, 202401021500, 3, true, "202401021500301", "20240102150000", 3}};
    auto rows = patternedRows<KLineData>(3);
    data.setRows("QueryKLineData", rows);
    for (const auto& [start, end, queryType, flag, startText, endText, sentType] : cases) {
        SCOPED_TRACE(start);
        data.calls.clear();
        expectCopies(api->getKLineData({"600000.SH", start, end, "kline_5m", queryType, flag}), rows);
        ASSERT_EQ(data.calls.size(), 1u);
        EXPECT_EQ(data.calls[0].texts, (std::vector<std::string>{"600000.SH", startText, endText, "kline_5m"}));
        EXPECT_EQ(data.calls[0].numbers, (std::vector<int64_t>{sentType, 1, flag}));
    }
    EXPECT_EQ(ZqDataAccessGetStats().outstanding, 0);
}

TEST_F(MarketDataTest, BarQueriesFromAnInitialDatePassEveryFieldInOrder) {
    KLineInitDateQuery query = {"", 2024, 30, "kline_1d", 0, true, -8, "tail"};
    std::memset(query.symbol, 's', sizeof query.symbol);  // no NUL within the field
    EXPECT_EQ(api->getKLineDataFromInitDate(query).getSize(), 0);
    ASSERT_EQ(data.calls.size(), 1u);
    EXPECT_EQ(data.calls[0].texts,
              (std::vector<std::string>{std::string(16, 's'), "20240000000000", "kline_1d", "tail"}));
    EXPECT_EQ(data.calls[0].numbers, (std::vector<int64_t>{30, 11, 1, -8, 1}));
    EXPECT_EQ(ZqDataAccessGetStats().releases, 1) << "bar answers go back even when empty";
}

TEST_F(MarketDataTest, TicksAndIndexComponentsGoBackOnlyWhenRowsCame) {
    EXPECT_EQ(api->getTicks("600000.SH", 20240102, 20240102150000).getSize(), 0);
    EXPECT_EQ(api->getIndexComponents(nullptr).getSize(), 0);
    EXPECT_EQ(ZqDataAccessGetStats().releases, 0);
    ASSERT_EQ(data.calls.size(), 2u);
    EXPECT_EQ(data.calls[0].texts, (std::vector<std::string>{"600000.SH", "20240102000000", "20240102150000"}));
    EXPECT_EQ(data.calls[1].texts, std::vector<std::string>{""});

    auto ticks = patternedRows<Tick>(1);  // a single row is still rows
    auto components = patternedRows<IndexComponent>(5);
    data.setRows("QueryTick", ticks);
    data.setRows("QueryIndexComponents", components);
    expectCopies(api->getTicks(nullptr, 0, 0), ticks);
    expectCopies(api->getIndexComponents("000300.SH"), components);
    EXPECT_EQ(std::make_pair(ZqDataAccessGetStats().releases, ZqDataAccessGetStats().outstanding),
              std::make_pair(2, 0));
}

TEST_F(MarketDataTest, SnapshotsAreTheHostsRecordWholeOrItsTickPart) {
    std::vector<uint8_t> full(1304);
    for (size_t i = 0; i < full.size(); ++i) full[i] = static_cast<uint8_t>(i % 251 + 1);
    host.snapshots["600000.SH"] = full;
    Tick tick = api->getSnapshot("600000.SH");
    TickEx whole = api->getSnapshotEx("600000.SH");
    EXPECT_EQ(std::memcmp(&tick, full.data(), sizeof tick), 0);
    EXPECT_EQ(std::memcmp(&whole, full.data(), sizeof whole), 0);

    host.clear();
    EXPECT_TRUE(fake::isAllZero(api->getSnapshotEx(nullptr)));
    EXPECT_TRUE(host.calls.empty());
}

// A flag counts when any bit of it is set: a strategy may leave anything
// non-zero in one, so the flags are written as raw bytes.
TEST_F(QueriesTest, OrderAndExecutionQueriesSendTheirRecordAndConvertEveryRowInOrder) {
    // The two flags; the instance, the order statuses and the execution status filter sent.
    const std::tuple<uint8_t, uint8_t, std::string, std::string, std::string> cases[] = {
        {7, 0, "instance-1", "", "0"}, {0, 9, "ALL", "1,2,7,4,3", "2"}};
    std::vector<zq::OrderRow> rows(3);
    for (int i = 0; i < 3; ++i) rows[i].order_id[0] = static_cast<char>('A' + i);
    data.setRows("QueryEntrust", rows, 57, false);
    data.setRows("QueryTradeDeal", std::vector<zq::ExecutionRow>(1), 1, true);
    for (const auto& [ownOnly, statusFilter, instance, statuses, statusField] : cases) {
        SCOPED_TRACE(instance + " " + statuses);
        TradeQuery query{"600000.SH", "O-9", {11, -22}, false, {}, false};
        std::memcpy(&query.own_only, &ownOnly, 1);
        std::memcpy(&query.status_filter_flag, &statusFilter, 1);
        host.clear();
        data.calls.clear();
        OrderList orders = api->getOrders(ACCOUNT_STOCK, query);
        EXPECT_EQ(static_cast<int>(host.callsTo(23).size()), instance == "ALL" ? 0 : 1);
        ZqOrderQuery sent = data.onlyQuery<ZqOrderQuery>();
        data.calls.clear();
        ExecutionList executions = api->getExecutions(ACCOUNT_STOCK, query);
        ZqExecutionQuery sentToo = data.onlyQuery<ZqExecutionQuery>();
        EXPECT_EQ(text(sent.order_id) + "|" + text(sent.account_id) + "|" + text(sent.symbol) + "|" +
                      text(sent.instance) + "|" + text(sent.statuses),
                  "O-9|880001|600000.SH|" + instance + "|" + statuses);
        EXPECT_EQ(text(sentToo.order_id) + "|" + text(sentToo.account_id) + "|" + text(sentToo.symbol) + "|" +
                      text(sentToo.instance) + "|" + text(sentToo.status_filter) + "|" + text(sentToo.fixed),
                  "O-9|880001|600000.SH|" + instance + "|" + statusField + "|0");
        EXPECT_EQ((std::vector<int32_t>{sent.pass_through[1], sent.tail, sentToo.pass_through[1], sentToo.tail}),
                  (std::vector<int32_t>{-22, -1, -22, -1}));
        ASSERT_EQ(orders.getSize(), 3);
        EXPECT_EQ(text(orders.get(0).order_id) + text(orders.get(1).order_id) + text(orders.get(2).order_id), "ABC");
        EXPECT_EQ(std::make_tuple(orders.isLast(), orders.totalCount(), executions.getSize(), executions.isLast(),
                                  executions.totalCount()),
                  std::make_tuple(false, 57, 1, true, 1));
    }
    EXPECT_EQ(std::make_tuple(ZqDataAccessGetStats().releases, ZqDataAccessGetStats().outstanding,
                              ZqDataAccessGetStats().foreign_releases),
              std::make_tuple(4, 0, 0))
        << "one ReleaseMem per answer";
}

// Positions are asked of the platform's records (0) or of the counter (1).
TEST_F(QueriesTest, PositionQueriesNameTheirSourceAndFundQueriesReleaseNothing) {
    zq::PositionRow row{};
    row.total_amount = 99.9;
    data.setRows("QueryStockPosition", std::vector<zq::PositionRow>{row});
    for (int64_t source : {0, 1}) {
        SCOPED_TRACE(source);
        data.calls.clear();
        PositionList positions = source ? api->getPositionFromCounter(ACCOUNT_STOCK, nullptr)
                                        : api->getPositions(ACCOUNT_STOCK, "000001.SZ");
        ZqPositionQuery sent = data.onlyQuery<ZqPositionQuery>();
        EXPECT_EQ(std::to_string(data.calls.at(0).numbers.at(0)) + "|" + text(sent.account_id) + "|" +
                      text(sent.symbol) + "|" + std::to_string(sent.tail),
                  std::to_string(source) + "|880001|" + (source ? "" : "000001.SZ") + "|-1");
        EXPECT_EQ(positions.getSize() == 1 ? positions.get(0).total_amount : -1, 99);
    }
    zq::FundRow fund{};
    fund.available_cash = 1000.5;
    data.setRows("QueryFundQuota", std::vector<zq::FundRow>{fund});
    data.calls.clear();
    EXPECT_EQ(api->getFundInfo(ACCOUNT_STOCK).available_cash, 1000.5);
    EXPECT_EQ(text(data.onlyQuery<ZqFundQuery>().account_id), "880001");
    EXPECT_EQ(std::make_pair(ZqDataAccessGetStats().outstanding, ZqDataAccessGetStats().releases),
              std::make_pair(0, 2));
}

}  // namespace
