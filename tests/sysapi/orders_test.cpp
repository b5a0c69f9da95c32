// Orders and cancels as the host receives them (records byte for byte, batch
// buffers, JSON) and as the strategy gets them back, answers without an
// account, and the system API as a separately built strategy reaches it.
#include <gtest/gtest.h>

#include "apifixture.h"
#include "bytes.h"
#include "fakedataaccess.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"

namespace {

using fake::isAllZero;
using fake::isBracedUuid;
using fake::text;
using namespace Norq;
using OrdersTest = fake::SysApiTest;
using StrategyLibrary = fake::AdapterTest;

constexpr size_t kHeader = sizeof(zq::HostBatchHeader);
constexpr size_t kRecord = sizeof(zq::HostOrderRecord);

zq::HostOrderRecord recordOf(const fake::HostCall& call, size_t offset = 0) {
    return fake::recordAt<zq::HostOrderRecord>(call.bytes, offset);
}

OrderRequestEx request(int32_t entrustType = 3, int32_t count = 2, const char* flag = "",
                       const std::string& ownId = "") {
    OrderRequestEx r{};  // zero padding after the extension
    static_cast<OrderRequest&>(r) = {"600000.SH", 300, 1, 10.5, "a", entrustType, 4, 5, 6, 7, count, {}, 99, 1.25};
    std::memset(r.pass_through, 0xab, sizeof r.pass_through);
    std::strcpy(r.order_flag, flag);
    std::strcpy(r.cl_ord_id, ownId.c_str());
    return r;
}

// `sent` with the entrust type and count the host must receive.
OrderRequest asSent(const OrderRequest& sent, int32_t entrustType, int32_t count) {
    OrderRequest r = sent;
    std::tie(r.entrust_type, r.count) = std::make_tuple(entrustType, count);
    return r;
}

// The strategy sees what it asked for; the host gets its own conventions and
// the strategy's own client order id (cut to its field) or a new one.
TEST_F(OrdersTest, AnOrderReachesTheHostAsOneRecordAndComesBackAsSent) {
    // Flag (null: order, else orderEx with this flag), entrust type and count
    // asked and sent, the flag sent, the strategy's own id.
    const std::tuple<const char*, int32_t, int32_t, int32_t, int32_t, const char*, std::string> cases[] = {
        {nullptr, 3, 2, 3, 2, "0", ""},
        {nullptr, 10, 0, 9, 1, "R3", ""},
        {"f", 2, 3, 2, 3, "0", "own-7"},
    };
    for (const auto& [flag, entrustType, count, sentEntrustType, sentCount, sentFlag, ownId] : cases) {
        SCOPED_TRACE(std::string(flag ? flag : "order") + " " + std::to_string(entrustType) + " " + ownId);
        host.clear();
        OrderRequestEx sent = request(entrustType, count, flag ? flag : "", ownId);
        Order order = flag ? api->orderEx(ACCOUNT_STOCK, sent) : api->order(ACCOUNT_STOCK, sent);
        EXPECT_EQ(hostSlots(), (std::vector<int>{22, 23, 24}));
        zq::HostOrderRecord record = recordOf(host.callsTo(24).at(0));
        std::string id = text(record.client_order_id);
        EXPECT_TRUE(ownId.empty() ? isBracedUuid(id) : id == ownId) << id;
        zq::HostOrderRecord expected =
            fake::expectedRecord(asSent(sent, sentEntrustType, sentCount), id, "880001", sentFlag);
        EXPECT_EQ(std::memcmp(&record, &expected, kRecord), 0) << "the record differs from the request";
        Order wanted = fake::expectedOrder(sent, id, 0);
        EXPECT_EQ(std::memcmp(&order, &wanted, sizeof order), 0) << "the returned order differs";
    }
    host.orderAnswer.returned = 5;
    EXPECT_TRUE(isAllZero(api->order(ACCOUNT_STOCK, request()))) << "a refused order";
}

TEST_F(OrdersTest, EtfOrdersGoAsBuffersUnderTheirOwnCodes) {
    host.answers[zq::kCodeEtfPurchase] = host.answers[zq::kCodeEtfRedemption] = {};
    OrderRequestEx sent = request(10, 0, "N");
    for (auto [side, code] : {std::pair<int, int32_t>{1, zq::kCodeEtfPurchase}, {2, zq::kCodeEtfRedemption}}) {
        SCOPED_TRACE(side);
        host.clear();
        sent.side = side;
        api->orderEx(ACCOUNT_STOCK, sent);
        fake::HostCall call = host.callsTo(25).at(0);
        EXPECT_EQ(call.numbers, (std::vector<int64_t>{code, 240}));
        std::string id = text(recordOf(call).client_order_id);
        zq::HostOrderRecord record = recordOf(call),
                            expected = fake::expectedRecord(asSent(sent, 0, 0), id, "880001", "N");
        EXPECT_EQ(std::memcmp(&record, &expected, kRecord), 0) << "ETF orders keep their count";
    }
    host.clear();
    sent.side = 3;
    EXPECT_TRUE(isAllZero(api->orderEx(ACCOUNT_STOCK, sent)));
    EXPECT_TRUE(host.callsTo(25).empty());
    expectOneError("ZqSysApi::orderImpl", "未正确填写交易方向！");
}

// Each operation asks for its account once, and for nothing else.
TEST_F(OrdersTest, WithoutItsAccountAnOperationAsksNothingAndSaysWhy) {
    OrderRequestEx one = request();
    // Braced, so the calls and their lines come in this order.
    const std::vector<bool> empty = {
        isAllZero(api->order(static_cast<AccountType>(9), one)),
        api->batchOrdersEx(ACCOUNT_OPTION, BatchOrderRequest{&one, 1, 1, 0}).getSize() == 0,
        isAllZero(api->cancelOrder(ACCOUNT_OPEN_FUND, "O-1", 0, 0)),
        api->getOrders(ACCOUNT_FUTURES, TradeQuery{}).getSize() == 0,
        api->getExecutions(ACCOUNT_OPTION, TradeQuery{}).getSize() == 0,
        api->getPositionFromCounter(static_cast<AccountType>(-4), nullptr).getSize() == 0,
        isAllZero(api->getFundInfo(ACCOUNT_STOCK_MARGIN)),
        isAllZero(etf->etfPurchase("510050.SH", 1, 9, 0)),
        isAllZero(option->optionExercise("10004567", 1)),
        margin->marginCashDirectRefund(5, "C-7") == -1,
        margin->getMarginCashStocks().getSize() + margin->getMarginContract("C-7").getSize() == 0,
        isAllZero(margin->getMarginAsset()),
        margin->getMarginAssureSecurityList().getSize() == 0,
        margin->getAvaliableMarginQty(MarginQtyRequest{"600000.SH", 1, 10, "0", 7, 0}) == 0,
        margin->getMarginAssetFromCounter().error_code == -1};
    EXPECT_EQ(empty, std::vector<bool>(15, true));
    EXPECT_EQ(hostSlots(), std::vector<int>(16, 22));
    const std::string sys = "3 zqsysapi ZqSysApi::", noAccount = "未找到对应类型的账号，查询订单失败，账号类型：",
                      missing = "未找到对应类型的账号，查询", marginLine = "3 zqmarginhandler ZqMarginHandler::";
    EXPECT_EQ(logLines(), (std::vector<std::string>{
                              sys + "orderImpl: " + noAccount + "unknown",
                              sys + "batchOrdersEx: " + noAccount + "5",
                              sys + "cancelOrder: " + noAccount + "4",
                              sys + "getOrders: " + noAccount + "3",
                              sys + "getExecutions: " + missing + "成交失败，账号类型：5",
                              sys + "getPositionFromCounter: " + missing + "持仓失败，账号类型：-4",
                              sys + "getFundInfo: " + missing + "资金失败，账号类型：2",
                              "3 zqetfhandler ZqEtfHandler::etfPurchase: " + noAccount + "9",
                              "3 zqoptiontradehandler ZqOptionTradeHandler::optionExercise: 未找到期权账号，行权失败",
                              marginLine + "marginCashDirectRefund: 未找到信用账号，直接还款失败",
                              marginLine + "getMarginCashStocks: 未找到信用账号，查询可融券列表失败",
                              marginLine + "getMarginContract: 未找到信用账号，查询信用合约失败",
                              marginLine + "getMarginAsset: 未找到信用账号，查询信用资产失败",
                              marginLine + "getMarginAssureSecurityList: 未找到信用账号，查询担保品列表失败",
                              marginLine + "getAvaliableMarginQty: 未找到信用账号，查询大约可交易数量失败",
                              marginLine + "getMarginAssetFromCounter: 查询信用资产失败,未找到信用账号",
                          }));
}

// The list still describes what was sent when the host refuses the batch.
TEST_F(OrdersTest, ABatchGoesAsOneBufferAndEveryRequestComesBack) {
    host.answers[zq::kCodeBatchOrders].returned = -7;
    OrderRequest requests[] = {request(10, 0), request(1, 3)};
    OrderList orders = api->batchOrders(ACCOUNT_STOCK, BatchOrderRequest{requests, 2, 12, 34});
    fake::HostCall call = host.callsTo(25).at(0);
    EXPECT_EQ(call.numbers, (std::vector<int64_t>{zq::kCodeBatchOrders, 2 * 240 + 24}));
    zq::HostBatchHeader header = fake::recordAt<zq::HostBatchHeader>(call.bytes), wantedHeader{2, 12, 34, {}};
    EXPECT_EQ(std::memcmp(&header, &wantedHeader, kHeader), 0);
    ASSERT_EQ(orders.getSize(), 2);
    const OrderRequest sent[] = {asSent(requests[0], 9, 1), requests[1]};
    const char* flags[] = {"R3", "0"};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        zq::HostOrderRecord record = recordOf(call, kHeader + i * kRecord);
        std::string id = text(record.client_order_id);
        EXPECT_TRUE(isBracedUuid(id));
        zq::HostOrderRecord expected = fake::expectedRecord(sent[i], id, "880001", flags[i]);
        EXPECT_EQ(std::memcmp(&record, &expected, kRecord), 0);
        Order wanted = fake::expectedOrder(requests[i], id, 12, "880001");
        EXPECT_EQ(std::memcmp(&orders.get(i), &wanted, sizeof wanted), 0);
    }
}

TEST_F(OrdersTest, BatchCountsOutsideTheUsableRangeAreRefusedBeforeTheHost) {
    OrderRequestEx one = request();
    const std::string bad = "批量下单失败，原因：委托数量非法，数量：";
    const std::tuple<const void*, int32_t, std::string> cases[] = {
        {&one, -1, bad + "-1"},
        {&one, INT32_MAX, bad + std::to_string(INT32_MAX)},
        {nullptr, 2, "批量下单失败，原因：委托列表为空指针"}};
    for (const auto& [requests, count, message] : cases) {
        SCOPED_TRACE(count);
        host.clear();
        EXPECT_EQ(api->batchOrders(ACCOUNT_STOCK, BatchOrderRequest{requests, count, 3, 0}).getSize(), 0);
        EXPECT_TRUE(hostSlots().empty());
        expectOneError("ZqSysApi::batchOrders", message);
    }
    host.clear();
    EXPECT_EQ(api->batchOrders(ACCOUNT_STOCK, BatchOrderRequest{nullptr, 0, 3, 0}).getSize(), 0);
    EXPECT_EQ(host.callsTo(25).at(0).numbers, (std::vector<int64_t>{zq::kCodeBatchOrders, 24}))
        << "an empty batch goes";
}

TEST_F(OrdersTest, BatchExSendsOwnIdsAndRefusesEtfOrders) {
    OrderRequestEx requests[] = {request(3, 2, "0", "own-7"), request()};
    OrderList orders = api->batchOrdersEx(ACCOUNT_STOCK, BatchOrderRequest{requests, 2, 5, 0});
    fake::HostCall call = host.callsTo(25).at(0);
    EXPECT_EQ(text(recordOf(call, kHeader).client_order_id), "own-7");
    std::string generated = text(recordOf(call, kHeader + kRecord).client_order_id);
    EXPECT_TRUE(isBracedUuid(generated));
    ASSERT_EQ(orders.getSize(), 2);
    EXPECT_EQ(text(orders.get(0).order_id) + " " + text(orders.get(1).order_id), "own-7 " + generated);
    host.clear();
    std::strcpy(requests[1].order_flag, "N");
    EXPECT_EQ(api->batchOrdersEx(ACCOUNT_STOCK, BatchOrderRequest{requests, 2, 5, 0}).getSize(), 0);
    EXPECT_TRUE(host.callsTo(25).empty());
    expectOneError("ZqSysApi::batchOrdersEx", "批量接口暂不支持ETF申赎交易");
}

TEST_F(OrdersTest, CancelsSendCompactJsonByOrderIdOrByBatch) {
    // Order id, batch number and flag, org_ord_id as it appears in the JSON, the returned original id.
    const std::tuple<const char*, int32_t, int32_t, std::string, std::string> cases[] = {
        {"O-1", 5, 0, R"("O-1")", "O-1"}, {"ignored", -3, 1, "-3", "-3"}};
    for (const auto& [orderId, batchNo, batchFlag, target, origOrderId] : cases) {
        SCOPED_TRACE(target);
        host.clear();
        Order cancel = api->cancelOrder(ACCOUNT_STOCK, orderId, batchNo, batchFlag);
        std::string id = text(cancel.order_id);
        EXPECT_TRUE(isBracedUuid(id)) << id;
        EXPECT_EQ(sentJson(),
                  R"(2053 {"params":{"fund_account":"880001","msg_type":2002,"order_list":[{"batch_flag":)" +
                      std::to_string(batchFlag) + R"(,"cl_ord_id":")" + id + R"(","org_ord_id":)" + target +
                      R"(}],"push_msg_type":-1}})");
        Order wanted{};
        std::tie(wanted.batch_no, wanted.entrust_type) = std::make_tuple(batchNo, 2);
        std::strcpy(wanted.order_id, id.c_str());
        std::strcpy(wanted.orig_order_id, origOrderId.c_str());
        EXPECT_EQ(std::memcmp(&cancel, &wanted, sizeof wanted), 0);
    }

    host.clear();
    EXPECT_TRUE(isAllZero(api->cancelOrder(ACCOUNT_STOCK, nullptr, 5, 2)));
    EXPECT_TRUE(host.callsTo(0).empty());
    expectOneError("ZqSysApi::cancelOrder", "按订单编号撤单失败，原因：传入空指针");
}

TEST_F(OrdersTest, TheOrderReplySwitchReportsTheHostsVerdict) {
    // Switch, the host's code (none: the block left as it was), the result.
    const std::tuple<bool, std::optional<int64_t>, int32_t> cases[] = {
        {true, 0, 0}, {false, 3, -1}, {true, int64_t{1} << 32, 0}, {false, std::nullopt, -1}};
    for (const auto& [enable, code, result] : cases) {
        SCOPED_TRACE(std::to_string(enable) + " " + (code ? std::to_string(*code) : "unanswered"));
        host.answers.erase(zq::kCodeOrderReply);
        if (code) host.answers[zq::kCodeOrderReply].code = *code;
        host.clear();
        EXPECT_EQ(api->enableOrderReply(enable), result);
        EXPECT_EQ(sentJson(),
                  std::string(R"(2226 {"params":{"param_enable_order_reply":)") + (enable ? "true" : "false") + "}}");
    }
}

// Records that extend another cannot pin their own offsets at compile time.
TEST(ExtendedRecords, ExtensionsStartRightAfterTheirBase) {
    OrderRequestEx request{};
    SecurityDetialEx detail{};
    TickEx tick{};
    auto at = [](const void* b, const void* f) { return static_cast<const char*>(f) - static_cast<const char*>(b); };
    EXPECT_EQ((std::vector<ptrdiff_t>{at(&request, request.order_flag), at(&request, request.cl_ord_id),
                                      at(&detail, detail.extension), at(&tick, tick.extension)}),
              (std::vector<ptrdiff_t>{104, 108, 224, 1048}));
}

TEST_F(StrategyLibrary, AStrategyLibraryTradesAndQueriesThroughItsContextFromOnInit) {
    host.accountIds = {{"stock", "880001"}, {"stock_margin", "M-1"}, {"option", "O-1"}};
    host.answers[zq::kCodeOrderReply] = host.answers[zq::kCodeUnderlyingFreeze] = {};
    // One answer for every 2055 query: reference data, ETF terms, tradable quantity.
    host.answers[zq::kCodeQuery].data =
        R"({"LotSize":"200","etf_fund_symbol":"510050","report_unit":900000,"rsp_body_data":1500})";
    host.answers[zq::kCodeStartStrategy].returned = 5;
    host.answers[zq::kCodeCustomMessage].returned = 6;
    fake::FakeDataAccess data;
    zq::OrderRow order{};
    std::strcpy(order.order_id, "O-42");
    data.setRows("QueryEntrust", std::vector<zq::OrderRow>{order}, 9, false);
    data.setRows("QueryStockPosition", std::vector<zq::PositionRow>(2));
    zq::FundRow fund{};
    fund.available_cash = 12345.6;
    data.setRows("QueryFundQuota", std::vector<zq::FundRow>{fund});
    data.setRows("QueryKLineData", std::vector<Norq::KLineData>(3));

    ASSERT_EQ(adapter->RunStrategy(fake::libraryPath("teststrategy_trader").c_str(), "{}"), 0);
    const fake::StrategyEvent* init = recorder().last(1);
    ASSERT_NE(init, nullptr);
    // Order status, entrust type as asked, batch size and number, reply switch, orders and their total, positions,
    // cash, bars, round lot, new instance, custom message, ETF report unit, tradable quantity, freeze status and side.
    EXPECT_EQ(init->numbers, (std::vector<int64_t>{1, 10, 1, 77, 0, 1, 9, 2, 12345, 3, 200, 5, 6, 900000, 1500, 1, 1}));
    auto orders = host.callsTo(24);
    auto buffers = host.callsTo(25);  // the batch, the custom message, the freeze
    ASSERT_EQ(std::make_pair(orders.size(), buffers.size()), std::make_pair(size_t{1}, size_t{3}));
    const std::string placed = text(recordOf(orders[0]).client_order_id);
    // The placed, batched and cancelled orders, the first order and position, the second bar, the ETF, the freeze.
    EXPECT_EQ(init->texts, (std::vector<std::string>{placed, "own-id-1", placed, "O-42", "", "", "510050",
                                                     text(recordOf(buffers[2]).client_order_id)}));
    EXPECT_EQ(ZqDataAccessGetStats().outstanding, 0) << "every row array went back";
}

}  // namespace
