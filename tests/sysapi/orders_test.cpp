// Order placement and cancellation as the host receives them: the 240-byte
// records byte for byte, batch buffers, the compact JSON of cancels and the
// reply switch, and what the strategy gets back. Also every account-bound
// operation's answer, the handlers' among them, when the host has no such
// account.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "bytes.h"
#include "apifixture.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"

namespace {

using fake::expectedOrder;
using fake::isAllZero;
using fake::isBracedUuid;
using fake::text;
using namespace Norq;

constexpr size_t kHeader = sizeof(zq::HostBatchHeader);
constexpr size_t kRecord = sizeof(zq::HostOrderRecord);

zq::HostOrderRecord recordOf(const fake::HostCall& call, size_t offset = 0) {
    return fake::recordAt<zq::HostOrderRecord>(call.bytes, offset);
}

// An own id as long as its field is copied without a NUL.
OrderRequestEx request(const char* symbol, int32_t entrustType = 3, int32_t count = 2, const char* flag = "",
                       const std::string& ownId = "") {
    OrderRequestEx r{};  // zero padding after the extension
    static_cast<OrderRequest&>(r) = {"", 300, 1, 10.5, "a", entrustType, 4, 5, 6, 7, count, {}, 99, 1.25};
    std::strcpy(r.symbol, symbol);
    std::memset(r.pass_through, 0xab, sizeof r.pass_through);
    std::strcpy(r.order_flag, flag);
    std::memcpy(r.cl_ord_id, ownId.data(), std::min(ownId.size(), sizeof r.cl_ord_id));
    return r;
}

// `sent` with the entrust type and count the host must receive.
OrderRequest asSent(const OrderRequest& sent, int32_t entrustType, int32_t count) {
    OrderRequest r = sent;
    std::tie(r.entrust_type, r.count) = std::make_tuple(entrustType, count);
    return r;
}

using OrdersTest = fake::SysApiTest;

// The strategy sees what it asked for; the host gets its own conventions and
// the strategy's own client order id (cut to its field) or a new one.
TEST_F(OrdersTest, AnOrderReachesTheHostAsOneRecordAndComesBackAsSent) {
    // Flag (null: order, else orderEx with this flag), entrust type and count
    // asked and sent, the flag sent, the strategy's own id.
    const std::tuple<const char*, int32_t, int32_t, int32_t, int32_t, const char*, std::string> cases[] = {
        {nullptr, 3, 2, 3, 2, "0", ""}, {nullptr, 10, 0, 9, 1, "R3", ""}, {nullptr, 10, 4, 9, 4, "R3", ""},
        {nullptr, 0, 0, 0, 1, "0", ""}, {"0", 10, 0, 9, 1, "R3", ""},     {"f", 2, 3, 2, 3, "0", ""},
        {"", 9, -1, 9, -1, "0", ""},    {"0", 3, 2, 3, 2, "0", "own-7"},  {"0", 3, 2, 3, 2, "0", std::string(64, 'x')},
    };
    for (const auto& [flag, entrustType, count, sentEntrustType, sentCount, sentFlag, ownId] : cases) {
        SCOPED_TRACE(std::string(flag ? flag : "order") + " " + std::to_string(entrustType) + " " + ownId);
        host.clear();
        OrderRequestEx sent = request("600000.SH", entrustType, count, flag ? flag : "", ownId);
        Order order = flag ? api->orderEx(ACCOUNT_STOCK, sent) : api->order(ACCOUNT_STOCK, sent);
        EXPECT_EQ(hostSlots(), (std::vector<int>{22, 23, 24}));
        EXPECT_EQ(host.callsTo(22).at(0).texts, std::vector<std::string>{"stock"});
        zq::HostOrderRecord record = recordOf(host.callsTo(24).at(0));
        std::string id = text(record.client_order_id);
        EXPECT_TRUE(ownId.empty() ? isBracedUuid(id) : id == ownId.substr(0, 63)) << id;
        zq::HostOrderRecord expected =
            fake::expectedRecord(asSent(sent, sentEntrustType, sentCount), id, "880001", sentFlag);
        EXPECT_EQ(std::memcmp(&record, &expected, kRecord), 0) << "the record differs from the request";
        Order wanted = expectedOrder(sent, id, 0);
        EXPECT_EQ(std::memcmp(&order, &wanted, sizeof order), 0) << "the returned order differs";
        EXPECT_TRUE(host.logs.empty());
    }
}

TEST_F(OrdersTest, EtfOrdersGoAsBuffersUnderTheirOwnCodes) {
    host.answers[zq::kCodeEtfPurchase] = {};
    host.answers[zq::kCodeEtfRedemption] = {};
    for (auto [side, code] :
         {std::pair<int, int32_t>{1, zq::kCodeEtfPurchase}, {2, zq::kCodeEtfRedemption}, {3, 0}, {0, 0}}) {
        SCOPED_TRACE(side);
        host.clear();
        OrderRequestEx sent = request("510050.SH", 10, 0, "N");
        sent.side = side;
        Order order = api->orderEx(ACCOUNT_STOCK, sent);
        EXPECT_TRUE(host.callsTo(24).empty());
        if (code == 0) {
            EXPECT_TRUE(host.callsTo(25).empty() && isAllZero(order));
            expectOneError("ZqSysApi::orderImpl", "未正确填写交易方向！");
            continue;
        }
        fake::HostCall call = host.callsTo(25).at(0);
        EXPECT_EQ(call.numbers, (std::vector<int64_t>{code, 240}));
        zq::HostOrderRecord record = recordOf(call);
        std::string id = text(record.client_order_id);
        zq::HostOrderRecord expected = fake::expectedRecord(asSent(sent, 0, 0), id, "880001", "N");
        EXPECT_EQ(std::memcmp(&record, &expected, kRecord), 0) << "ETF orders keep their count";
        Order wanted = expectedOrder(sent, id, 0);
        EXPECT_EQ(std::memcmp(&order, &wanted, sizeof order), 0);
    }
}

TEST_F(OrdersTest, ARefusedOrderComesBackAllZeroWithoutALogLine) {
    host.orderAnswer.returned = 5;
    host.orderAnswer.data = "refused: market closed";
    EXPECT_TRUE(isAllZero(api->order(ACCOUNT_STOCK, request("600000.SH"))));
    EXPECT_TRUE(isAllZero(api->orderEx(ACCOUNT_STOCK, request("510050.SH", 0, 0, "N")))) << "2202 is not answered";
    EXPECT_TRUE(host.logs.empty());
}

// Each operation asks for its account once, and for nothing else.
TEST_F(OrdersTest, WithoutItsAccountAnOperationAsksNothingAndSaysWhy) {
    OrderRequestEx one = request("600000.SH");
    BatchOrderRequest batch{&one, 1, 1, 0};
    EXPECT_TRUE(isAllZero(api->order(static_cast<AccountType>(9), one)));
    EXPECT_TRUE(isAllZero(api->orderEx(ACCOUNT_FUTURES, one)));
    EXPECT_EQ(api->batchOrders(ACCOUNT_OPTION, batch).getSize(), 0);
    EXPECT_EQ(api->batchOrdersEx(ACCOUNT_STOCK_MARGIN, batch).getSize(), 0);
    EXPECT_TRUE(isAllZero(api->cancelOrder(ACCOUNT_OPEN_FUND, "O-1", 0, 0)));
    EXPECT_EQ(api->getOrders(ACCOUNT_FUTURES, TradeQuery{}).getSize(), 0);
    EXPECT_EQ(api->getExecutions(ACCOUNT_OPTION, TradeQuery{}).getSize(), 0);
    EXPECT_EQ(api->getPositions(ACCOUNT_STOCK_MARGIN, "x").getSize(), 0);
    EXPECT_EQ(api->getPositionFromCounter(static_cast<AccountType>(-4), nullptr).getSize(), 0);
    EXPECT_TRUE(isAllZero(api->getFundInfo(ACCOUNT_OPEN_FUND)));
    EXPECT_TRUE(isAllZero(etf->etfPurchase("510050.SH", 1, 9, 0)));
    EXPECT_TRUE(isAllZero(etf->etfRedemption("510050.SH", 1, ACCOUNT_FUTURES, 0)));
    EXPECT_TRUE(isAllZero(option->optionExercise("10004567", 1)));
    EXPECT_TRUE(isAllZero(option->underlyingSecurityFreeze(nullptr, 1, true)));
    EXPECT_EQ(margin->marginCashDirectRefund(5, "C-7"), -1);
    EXPECT_EQ((std::vector<int>{margin->getMarginCashStocks().getSize(), margin->getMarginSecStocks().getSize(),
                                margin->getMarginContract("C-7").getSize()}),
              std::vector<int>(3, 0));
    EXPECT_TRUE(isAllZero(margin->getMarginAsset()));
    EXPECT_EQ((std::vector<int>{margin->getMarginAssureSecurityList().getSize(),
                                margin->getMarginSecurityListAll().getSize()}),
              std::vector<int>(2, 0));
    EXPECT_EQ(margin->getAvaliableMarginQty(MarginQtyRequest{"600000.SH", 1, 10, "0", 7, 0}), 0);
    MarginAssetRsp rsp = margin->getMarginAssetFromCounter();
    EXPECT_EQ(std::make_tuple(rsp.error_code, std::string(rsp.error_info.str()), isAllZero(rsp.asset)),
              std::make_tuple(-1, std::string("查询信用资产失败,未找到信用账号"), true));

    std::vector<std::string> askedFor;
    for (const fake::HostCall& call : host.callsTo(22)) askedFor.push_back(call.texts.at(0));
    std::vector<std::string> names{"unknown", "futures", "option",       "stock_margin", "open_fund",
                                   "futures", "option",  "stock_margin", "unknown",      "open_fund",
                                   "unknown", "futures", "option",       "option"};
    names.resize(23, "stock_margin");
    EXPECT_EQ(askedFor, names);
    EXPECT_EQ(hostSlots(), std::vector<int>(23, 22));
    EXPECT_TRUE(data.calls.empty());
    const std::string sys = "3 zqsysapi ZqSysApi::", noAccount = "未找到对应类型的账号，查询订单失败，账号类型：",
                      missing = "未找到对应类型的账号，查询", etfLine = "3 zqetfhandler ZqEtfHandler::",
                      optionLine = "3 zqoptiontradehandler ZqOptionTradeHandler::",
                      marginLine = "3 zqmarginhandler ZqMarginHandler::",
                      lending = "未找到信用账号，查询可融券列表失败";
    EXPECT_EQ(logLines(), (std::vector<std::string>{
                              sys + "orderImpl: " + noAccount + "unknown",
                              sys + "orderImpl: " + noAccount + "futures",
                              sys + "batchOrders: " + noAccount + "5",
                              sys + "batchOrdersEx: " + noAccount + "2",
                              sys + "cancelOrder: " + noAccount + "4",
                              sys + "getOrders: " + noAccount + "3",
                              sys + "getExecutions: " + missing + "成交失败，账号类型：5",
                              sys + "getPositions: " + missing + "持仓失败，账号类型：2",
                              sys + "getPositionFromCounter: " + missing + "持仓失败，账号类型：-4",
                              sys + "getFundInfo: " + missing + "资金失败，账号类型：4",
                              etfLine + "etfPurchase: " + noAccount + "9",
                              etfLine + "etfRedemption: " + noAccount + "3",
                              optionLine + "optionExercise: 未找到期权账号，行权失败",
                              optionLine + "underlyingSecurityFreeze: 未找到期权账号，行权失败",
                              marginLine + "marginCashDirectRefund: 未找到信用账号，直接还款失败",
                              marginLine + "getMarginCashStocks: " + lending,
                              marginLine + "getMarginSecStocks: " + lending,
                              marginLine + "getMarginContract: 未找到信用账号，查询信用合约失败",
                              marginLine + "getMarginAsset: 未找到信用账号，查询信用资产失败",
                              marginLine + "getMarginAssureSecurityList: 未找到信用账号，查询担保品列表失败",
                              marginLine + "getMarginSecurityList: " + lending,
                              marginLine + "getAvaliableMarginQty: 未找到信用账号，查询大约可交易数量失败",
                              marginLine + "getMarginAssetFromCounter: 查询信用资产失败,未找到信用账号",
                          }));
    adapter->SetHostServices(nullptr);
    EXPECT_TRUE(isAllZero(etf->getEtfInfo(nullptr))) << "nor does anything break without a host";
    EXPECT_EQ(margin->getMarginSecurityList(nullptr, 2).getSize(), 0);
    EXPECT_EQ(api->publishCustomMsg(7, "x"), -1);
}

// The list still describes what was sent when the host refuses the batch.
TEST_F(OrdersTest, ABatchGoesAsOneBufferAndEveryRequestComesBack) {
    host.answers[zq::kCodeBatchOrders].returned = -7;
    OrderRequest requests[] = {request("600000.SH", 10, 0), request("000001.SZ", 1, 3)};
    OrderList orders = api->batchOrders(ACCOUNT_STOCK, BatchOrderRequest{requests, 2, 12, 34});
    EXPECT_EQ(hostSlots(), (std::vector<int>{22, 23, 25}));
    fake::HostCall call = host.callsTo(25).at(0);
    EXPECT_EQ(call.numbers, (std::vector<int64_t>{zq::kCodeBatchOrders, 2 * 240 + 24}));
    zq::HostBatchHeader header = fake::recordAt<zq::HostBatchHeader>(call.bytes), wantedHeader{2, 12, 34, {}};
    EXPECT_EQ(std::memcmp(&header, &wantedHeader, kHeader), 0);
    ASSERT_EQ(orders.getSize(), 2);
    const OrderRequest sent[] = {asSent(requests[0], 9, 1), requests[1]};
    const char* flags[] = {"R3", "0"};
    std::set<std::string> ids;
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        zq::HostOrderRecord record = recordOf(call, kHeader + i * kRecord);
        std::string id = text(record.client_order_id);
        EXPECT_TRUE(isBracedUuid(id));
        zq::HostOrderRecord expected = fake::expectedRecord(sent[i], id, "880001", flags[i]);
        EXPECT_EQ(std::memcmp(&record, &expected, kRecord), 0);
        Order wanted = expectedOrder(requests[i], id, 12, "880001");
        EXPECT_EQ(std::memcmp(&orders.get(i), &wanted, sizeof wanted), 0);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 2u);
}

TEST_F(OrdersTest, BatchCountsOutsideTheUsableRangeAreRefusedBeforeTheHost) {
    OrderRequestEx one = request("600000.SH");
    const std::string bad = "批量下单失败，原因：委托数量非法，数量：";
    // Requests, count, the error (empty: an empty batch is still sent).
    const std::tuple<const void*, int32_t, std::string> cases[] = {
        {&one, 0, ""},
        {&one, -1, bad + "-1"},
        {&one, INT32_MIN, bad + std::to_string(INT32_MIN)},
        {&one, INT32_MAX, bad + std::to_string(INT32_MAX)},
        {nullptr, 2, "批量下单失败，原因：委托列表为空指针"},
    };
    for (const auto& [requests, count, message] : cases) {
        for (bool ex : {false, true}) {
            SCOPED_TRACE(std::to_string(count) + (ex ? " Ex" : ""));
            host.clear();
            BatchOrderRequest batch{requests, count, 3, 0};
            OrderList orders = ex ? api->batchOrdersEx(ACCOUNT_STOCK, batch) : api->batchOrders(ACCOUNT_STOCK, batch);
            EXPECT_EQ(orders.getSize(), 0);
            if (!message.empty()) {
                EXPECT_TRUE(hostSlots().empty());
                expectOneError(ex ? "ZqSysApi::batchOrdersEx" : "ZqSysApi::batchOrders", message);
            } else {
                EXPECT_EQ(host.callsTo(25).at(0).numbers, (std::vector<int64_t>{zq::kCodeBatchOrders, 24}));
                EXPECT_TRUE(host.logs.empty());
            }
        }
    }
}

TEST_F(OrdersTest, BatchExSendsOwnIdsAndRefusesEtfOrders) {
    OrderRequestEx requests[] = {request("600000.SH", 3, 2, "0", "own-7"), request("000001.SZ")};
    OrderList orders = api->batchOrdersEx(ACCOUNT_STOCK, BatchOrderRequest{requests, 2, 5, 0});
    fake::HostCall call = host.callsTo(25).at(0);
    std::string generated = text(recordOf(call, kHeader + kRecord).client_order_id);
    EXPECT_TRUE(isBracedUuid(generated));
    EXPECT_EQ(text(recordOf(call, kHeader).client_order_id), "own-7");
    ASSERT_EQ(orders.getSize(), 2);
    EXPECT_EQ(text(orders.get(0).order_id) + " " + text(orders.get(1).order_id), "own-7 " + generated);

    host.clear();
    std::strcpy(requests[1].order_flag, "N");
    EXPECT_EQ(api->batchOrdersEx(ACCOUNT_STOCK, BatchOrderRequest{requests, 2, 5, 0}).getSize(), 0);
    EXPECT_TRUE(host.callsTo(25).empty());
    expectOneError("ZqSysApi::batchOrdersEx", "批量接口暂不支持ETF申赎交易");
}

TEST_F(OrdersTest, LongTextsAreCutToTheirFields) {
    host.accountIds["stock"] = std::string(40, 'a');
    host.instanceId = std::string(40, 'i');
    OrderRequestEx wide = request("600000.SH");
    std::memset(wide.symbol, 's', sizeof wide.symbol);  // no NUL within the field
    std::memset(wide.price_type, 'p', sizeof wide.price_type);
    Order order = api->order(ACCOUNT_STOCK, wide);
    zq::HostOrderRecord record = recordOf(host.callsTo(24).at(0));
    EXPECT_EQ(text(record.account_id) + " " + text(record.instance_id),
              std::string(31, 'a') + " " + std::string(31, 'i'));
    EXPECT_EQ(text(order.symbol) + " " + text(order.price_type), std::string(13, 's') + " ppp");
    OrderList orders = api->batchOrders(ACCOUNT_STOCK, BatchOrderRequest{&wide, 1, 0, 0});
    EXPECT_EQ(text(orders.get(0).fund_account), std::string(19, 'a'));
    EXPECT_EQ(orders.get(0).security_exchange[0], '\0');
}

TEST_F(OrdersTest, CancelsSendCompactJsonByOrderIdOrByBatch) {
    // Order id, batch number and flag, org_ord_id as it appears in the JSON, the returned original id.
    const std::tuple<const char*, int32_t, int32_t, std::string, std::string> cases[] = {
        {"O-1", 5, 0, R"("O-1")", "O-1"},
        {"O-1", 5, 2, R"("O-1")", "O-1"},
        {nullptr, 7, 1, "7", "7"},
        {"ignored", -3, 1, "-3", "-3"}};
    std::set<std::string> cancelIds;
    for (const auto& [orderId, batchNo, batchFlag, target, origOrderId] : cases) {
        SCOPED_TRACE(target);
        host.clear();
        Order cancel = api->cancelOrder(ACCOUNT_STOCK, orderId, batchNo, batchFlag);
        std::string id = text(cancel.order_id);
        EXPECT_TRUE(isBracedUuid(id)) << id;
        EXPECT_EQ(sentJson(),
                  "2053 "
                  R"({"params":{"fund_account":"880001","msg_type":2002,"order_list":)"
                  R"([{"batch_flag":)" +
                      std::to_string(batchFlag) + R"(,"cl_ord_id":")" + id + R"(","org_ord_id":)" + target +
                      R"(}],"push_msg_type":-1}})");
        Order wanted{};
        std::strcpy(wanted.order_id, id.c_str());
        std::strcpy(wanted.orig_order_id, origOrderId.c_str());
        std::tie(wanted.batch_no, wanted.entrust_type) = std::make_tuple(batchNo, 2);
        EXPECT_EQ(std::memcmp(&cancel, &wanted, sizeof wanted), 0);
        cancelIds.insert(id);
    }
    EXPECT_EQ(cancelIds.size(), 4u) << "every cancel has an id of its own";

    host.clear();
    EXPECT_TRUE(isAllZero(api->cancelOrder(ACCOUNT_STOCK, nullptr, 5, 0)));
    EXPECT_TRUE(host.callsTo(0).empty());
    expectOneError("ZqSysApi::cancelOrder", "按订单编号撤单失败，原因：传入空指针");
}

TEST_F(OrdersTest, TheOrderReplySwitchReportsTheHostsVerdict) {
    // Switch, the host's code (none: the block left as it was), the result.
    const std::tuple<bool, std::optional<int64_t>, int32_t> cases[] = {
        {true, 0, 0}, {false, 0, 0}, {true, 3, -1}, {true, int64_t{1} << 32, 0}, {false, std::nullopt, -1}};
    for (const auto& [enable, code, result] : cases) {
        SCOPED_TRACE(std::to_string(enable) + " " + (code ? std::to_string(*code) : "unanswered"));
        host.clear();
        host.answers.erase(zq::kCodeOrderReply);
        if (code) host.answers[zq::kCodeOrderReply].code = *code;
        EXPECT_EQ(api->enableOrderReply(enable), result);
        EXPECT_EQ(sentJson(),
                  std::string(R"(2226 {"params":{"param_enable_order_reply":)") + (enable ? "true" : "false") + "}}");
    }
    EXPECT_TRUE(host.logs.empty());
}

// Records that extend another cannot pin their own offsets at compile time.
TEST(ExtendedRecords, ExtensionsStartRightAfterTheirBase) {
    OrderRequestEx request{};
    SecurityDetialEx detail{};
    TickEx tick{};
    auto at = [](const void* base, const void* field) {
        return static_cast<const char*>(field) - static_cast<const char*>(base);
    };
    EXPECT_EQ((std::vector<ptrdiff_t>{at(&request, request.order_flag), at(&request, request.cl_ord_id),
                                      at(&detail, detail.extension), at(&tick, tick.extension)}),
              (std::vector<ptrdiff_t>{104, 108, 224, 1048}));
}

}  // namespace
