// Market data: subscriptions as the host receives them, bar, tick and index
// queries as the data-access library receives them, snapshots, and the rows
// coming back byte for byte.
#include <gtest/gtest.h>

#include <cstring>

#include "apifixture.h"
#include "zq/hostcodes.h"

namespace {

using namespace Norq;

using MarketDataTest = fake::SysApiTest;

template <typename Row>
std::vector<Row> patternedRows(size_t count) {
    std::vector<Row> rows(count);
    for (size_t i = 0; i < count; ++i) {
        uint8_t* bytes = reinterpret_cast<uint8_t*>(&rows[i]);
        for (size_t b = 0; b < sizeof(Row); ++b) bytes[b] = static_cast<uint8_t>(b * 7 + i + 1);
    }
    return rows;
}

template <typename Row, typename List>
void expectCopies(List& list, const std::vector<Row>& rows) {
    ASSERT_EQ(list.getSize(), static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(std::memcmp(&list.get(static_cast<int>(i)), &rows[i], sizeof(Row)), 0) << "row " << i;
    }
}

// Only bars name their period.
TEST_F(MarketDataTest, SubscriptionsSendTheHostCodeAndTheSymbolList) {
    host.subscribeResult = 17;
    SymbolList two;
    two.put("600000.SH");
    two.put("000001.SZ");
    const std::string pair = R"("sub_list":[{"security_symbol":"600000.SH"},{"security_symbol":"000001.SZ"}]}})";
    const std::pair<int32_t, int32_t> cases[] = {{1, zq::kSubscribeDataType1}, {2, zq::kSubscribeBars},
                                                 {3, zq::kSubscribeDataType3}, {4, zq::kSubscribeDataType4},
                                                 {5, zq::kSubscribeDataType5}, {6, zq::kSubscribeDataType6},
                                                 {7, zq::kSubscribeUnknown},   {0, zq::kSubscribeUnknown}};
    for (const auto& [dataType, code] : cases) {
        SCOPED_TRACE(dataType);
        host.clear();
        EXPECT_EQ(api->subscribe(two, dataType), 17);
        EXPECT_EQ(api->unsubscribe(two, dataType), 17);
        const std::string json =
            R"({"params":{)" + std::string(dataType == 2 ? R"("period_type":"kline_1m",)" : "") + pair;
        for (int slot : {9, 10}) {
            ASSERT_EQ(host.callsTo(slot).size(), 1u);
            EXPECT_EQ(host.callsTo(slot)[0].numbers, std::vector<int64_t>{code});
            EXPECT_EQ(host.callsTo(slot)[0].texts, std::vector<std::string>{json});
        }
        EXPECT_EQ(host.calls.size(), 2u);
    }
    EXPECT_EQ(two.getSize(), 2) << "the strategy keeps its list";

    host.clear();
    SymbolList none;
    api->subscribe(none, 2);
    EXPECT_EQ(host.calls.at(0).texts.at(0), R"({"params":{"period_type":"kline_1m","sub_list":[]}})");
    EXPECT_EQ(api->unsubscribeAll(), 0);
    EXPECT_EQ(host.calls.back().slot, 11);
}

TEST_F(MarketDataTest, BarQueriesPadTheirTimesAndDefaultTheirType) {
    // Start, end, query type and flag; the texts (symbol, start, end, period) and numbers (type, 1, flag) sent.
    const std::tuple<int64_t, int64_t, int32_t, bool, std::vector<std::string>, std::vector<int64_t>> cases[] = {
        {20240102, 20240103, 0, false, {"600000.SH", "20240102000000", "20240103000000", "kline_5m"}, {11, 1, 0}},
        {20240102093000,
         202401021500,
         3,
         true,
         {"600000.SH", "20240102093000", "20240102150000", "kline_5m"},
         {3, 1, 1}},
        {202401021500301, 0, -2, false, {"600000.SH", "202401021500301", "00000000000000", "kline_5m"}, {-2, 1, 0}},
        {-5, 2, 11, false, {"600000.SH", "-5000000000000", "20000000000000", "kline_5m"}, {11, 1, 0}},
    };
    auto rows = patternedRows<KLineData>(3);
    data.setRows("QueryKLineData", rows);
    for (const auto& [start, end, queryType, flag, texts, numbers] : cases) {
        SCOPED_TRACE(start);
        data.calls.clear();
        KLineDataList bars = api->getKLineData({"600000.SH", start, end, "kline_5m", queryType, flag});
        ASSERT_EQ(data.calls.size(), 1u);
        EXPECT_EQ(data.calls[0].texts, texts);
        EXPECT_EQ(data.calls[0].numbers, numbers);
        expectCopies(bars, rows);
    }
    EXPECT_EQ(ZqDataAccessGetStats().outstanding, 0);
}

TEST_F(MarketDataTest, BarQueriesFromAnInitialDatePassEveryFieldInOrder) {
    KLineInitDateQuery query = {"", 2024, 30, "kline_1d", 0, true, -8, "tail"};
    std::memset(query.symbol, 's', sizeof query.symbol);  // no NUL within the field
    KLineDataList bars = api->getKLineDataFromInitDate(query);
    ASSERT_EQ(data.calls.size(), 1u);
    EXPECT_EQ(data.calls[0].function, "QueryKLineDataFromInitDate");
    EXPECT_EQ(data.calls[0].texts,
              (std::vector<std::string>{std::string(16, 's'), "20240000000000", "kline_1d", "tail"}));
    EXPECT_EQ(data.calls[0].numbers, (std::vector<int64_t>{30, 11, 1, -8, 1}));
    EXPECT_EQ(bars.getSize(), 0);
    EXPECT_EQ(ZqDataAccessGetStats().releases, 1) << "bar answers go back even when empty";
}

TEST_F(MarketDataTest, TicksAndIndexComponentsGoBackOnlyWhenRowsCame) {
    TickDataList none = api->getTicks("600000.SH", 20240102, 20240102150000);
    IndexComponentList noComponents = api->getIndexComponents(nullptr);
    EXPECT_EQ(none.getSize() + noComponents.getSize(), 0);
    EXPECT_EQ(ZqDataAccessGetStats().releases, 0);
    ASSERT_EQ(data.calls.size(), 2u);
    EXPECT_EQ(data.calls[0].texts, (std::vector<std::string>{"600000.SH", "20240102000000", "20240102150000"}));
    EXPECT_EQ(data.calls[1].texts, std::vector<std::string>{""});

    auto ticks = patternedRows<Tick>(1);  // a single row is still rows
    auto components = patternedRows<IndexComponent>(5);
    data.setRows("QueryTick", ticks);
    data.setRows("QueryIndexComponents", components);
    TickDataList gotTicks = api->getTicks(nullptr, 0, 0);
    IndexComponentList gotComponents = api->getIndexComponents("000300.SH");
    expectCopies(gotTicks, ticks);
    expectCopies(gotComponents, components);
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
    EXPECT_EQ(host.callsTo(13).size(), 2u);

    host.clear();
    Tick absent = api->getSnapshot(nullptr);
    TickEx absentEx = api->getSnapshotEx(nullptr);
    EXPECT_EQ(absent.last, 0.0);
    EXPECT_EQ(absentEx.extension[255], 0);
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
