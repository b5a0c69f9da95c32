// Order placement and cancellation as the host receives them: the 240-byte
// records byte for byte, batch buffers, the compact JSON of cancels and the
// reply switch, and what the strategy gets back. Also every account-bound
// operation's answer when the host has no such account.
#include <gtest/gtest.h>

#include <functional>
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

OrderRequestEx request(const char* symbol, int32_t entrustType = 3, int32_t count = 2, const char* flag = "",
                       const char* ownId = "") {
    OrderRequestEx r{};  // zero padding after the extension
    static_cast<OrderRequest&>(r) = {"", 300, 1, 10.5, "a", entrustType, 4, 5, 6, 7, count, {}, 99, 1.25};
    std::strcpy(r.symbol, symbol);
    std::memset(r.pass_through, 0xab, sizeof r.pass_through);
    std::strcpy(r.order_flag, flag);
    std::strcpy(r.cl_ord_id, ownId);
    return r;
}

using OrdersTest = fake::SysApiTest;

// The strategy sees what it asked for; the host gets its own conventions.
TEST_F(OrdersTest, AnOrderReachesTheHostAsOneRecordAndComesBackAsSent) {
    struct Case {
        const char* flag;  // null: order, else orderEx with this flag
        int32_t entrustType, count, sentEntrustType, sentCount;
        const char* sentFlag;
    } cases[] = {
        {nullptr, 3, 2, 3, 2, "0"}, {nullptr, 10, 0, 9, 1, "R3"}, {nullptr, 10, 4, 9, 4, "R3"},
        {nullptr, 0, 0, 0, 1, "0"}, {"0", 10, 0, 9, 1, "R3"},     {"f", 2, 3, 2, 3, "0"},
        {"", 9, -1, 9, -1, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.flag ? c.flag : "order") + " " + std::to_string(c.entrustType));
        host.clear();
        OrderRequestEx sent = request("600000.SH", c.entrustType, c.count, c.flag ? c.flag : "");
        Order order = c.flag ? api->orderEx(ACCOUNT_STOCK, sent) : api->order(ACCOUNT_STOCK, sent);
        EXPECT_EQ(hostSlots(), (std::vector<int>{22, 23, 24}));
        EXPECT_EQ(host.callsTo(22).at(0).texts, std::vector<std::string>{"stock"});
        zq::HostOrderRecord record = recordOf(host.callsTo(24).at(0));
        std::string id = text(record.client_order_id);
        EXPECT_TRUE(isBracedUuid(id)) << id;
        OrderRequest asSent = sent;
        std::tie(asSent.entrust_type, asSent.count) = std::make_tuple(c.sentEntrustType, c.sentCount);
        zq::HostOrderRecord expected = fake::expectedRecord(asSent, id, "880001", c.sentFlag);
        EXPECT_EQ(std::memcmp(&record, &expected, kRecord), 0) << "the record differs from the request";
        Order wanted = expectedOrder(sent, id, 0);
        EXPECT_EQ(std::memcmp(&order, &wanted, sizeof order), 0) << "the returned order differs";
        EXPECT_TRUE(host.logs.empty());
    }
}

TEST_F(OrdersTest, OrderExSendsTheStrategysOwnIdOrANewOne) {
    OrderRequestEx fresh = request("600000.SH", 3, 2, "0", "");
    OrderRequestEx own = request("600000.SH", 3, 2, "0", "strategy-id-7");
    OrderRequestEx full = own;
    std::memset(full.cl_ord_id, 'x', sizeof full.cl_ord_id);  // no NUL within the field
    std::vector<std::string> returned;
    for (const OrderRequestEx* sent : {&fresh, &own, &full})
        returned.push_back(text(api->orderEx(ACCOUNT_STOCK, *sent).order_id));
    EXPECT_TRUE(isBracedUuid(returned[0])) << returned[0];
    EXPECT_EQ(returned[1], "strategy-id-7");
    EXPECT_EQ(returned[2], std::string(63, 'x'));
    auto records = host.callsTo(24);
    ASSERT_EQ(records.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(text(recordOf(records[i]).client_order_id), returned[i]);
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
            EXPECT_TRUE(host.callsTo(25).empty());
            EXPECT_TRUE(isAllZero(order));
            expectOneError("ZqSysApi::orderImpl", "未正确填写交易方向！");
            continue;
        }
        fake::HostCall call = host.callsTo(25).at(0);
        EXPECT_EQ(call.numbers, (std::vector<int64_t>{code, 240}));
        zq::HostOrderRecord record = recordOf(call);
        EXPECT_EQ(std::make_tuple(text(record.order_flag), record.request.entrust_type, record.request.count),
                  std::make_tuple(std::string("N"), 0, 0))
            << "ETF orders keep their count";
        Order wanted = expectedOrder(sent, text(record.client_order_id), 0);
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

TEST_F(OrdersTest, WithoutAnAccountNothingIsSentOrQueriedAndTheLogNamesTheType) {
    const std::string noAccount = "未找到对应类型的账号，查询订单失败，账号类型：";
    OrderRequestEx one = request("600000.SH");
    BatchOrderRequest batch{&one, 1, 1, 0};
    struct Case {
        std::function<bool()> emptyResult;
        const char* askedFor;
        const char* function;
        std::string message;
    } cases[] = {
        {[&] { return isAllZero(api->order(static_cast<AccountType>(9), one)); }, "unknown", "ZqSysApi::orderImpl",
         noAccount + "unknown"},
        {[&] { return isAllZero(api->orderEx(ACCOUNT_FUTURES, one)); }, "futures", "ZqSysApi::orderImpl",
         noAccount + "futures"},
        {[&] { return api->batchOrders(ACCOUNT_OPTION, batch).getSize() == 0; }, "option", "ZqSysApi::batchOrders",
         noAccount + "5"},
        {[&] { return api->batchOrdersEx(ACCOUNT_STOCK_MARGIN, batch).getSize() == 0; }, "stock_margin",
         "ZqSysApi::batchOrdersEx", noAccount + "2"},
        {[&] { return isAllZero(api->cancelOrder(ACCOUNT_OPEN_FUND, "O-1", 0, 0)); }, "open_fund",
         "ZqSysApi::cancelOrder", noAccount + "4"},
        {[&] { return api->getOrders(ACCOUNT_FUTURES, TradeQuery{}).getSize() == 0; }, "futures", "ZqSysApi::getOrders",
         noAccount + "3"},
        {[&] { return api->getExecutions(ACCOUNT_OPTION, TradeQuery{}).getSize() == 0; }, "option",
         "ZqSysApi::getExecutions", "未找到对应类型的账号，查询成交失败，账号类型：5"},
        {[&] { return api->getPositions(ACCOUNT_STOCK_MARGIN, "x").getSize() == 0; }, "stock_margin",
         "ZqSysApi::getPositions", "未找到对应类型的账号，查询持仓失败，账号类型：2"},
        {[&] { return api->getPositionFromCounter(static_cast<AccountType>(-4), nullptr).getSize() == 0; }, "unknown",
         "ZqSysApi::getPositionFromCounter", "未找到对应类型的账号，查询持仓失败，账号类型：-4"},
        {[&] { return isAllZero(api->getFundInfo(ACCOUNT_OPEN_FUND)); }, "open_fund", "ZqSysApi::getFundInfo",
         "未找到对应类型的账号，查询资金失败，账号类型：4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        host.clear();
        EXPECT_TRUE(c.emptyResult());
        EXPECT_EQ(hostSlots(), std::vector<int>{22});
        EXPECT_EQ(host.callsTo(22).at(0).texts, std::vector<std::string>{c.askedFor});
        expectOneError(c.function, c.message);
    }
    EXPECT_TRUE(data.calls.empty());
}

TEST_F(OrdersTest, ABatchGoesAsOneBufferAndEveryRequestComesBack) {
    host.answers[zq::kCodeBatchOrders].returned = -7;  // refused: the list still describes what was sent
    OrderRequest requests[] = {request("600000.SH", 10, 0), request("000001.SZ", 1, 3)};
    OrderList orders = api->batchOrders(ACCOUNT_STOCK, BatchOrderRequest{requests, 2, 12, 34});

    EXPECT_EQ(hostSlots(), (std::vector<int>{22, 23, 25}));
    fake::HostCall call = host.callsTo(25).at(0);
    EXPECT_EQ(call.numbers, (std::vector<int64_t>{zq::kCodeBatchOrders, 2 * 240 + 24}));
    zq::HostBatchHeader header = fake::recordAt<zq::HostBatchHeader>(call.bytes);
    zq::HostBatchHeader wantedHeader{2, 12, 34, {}};
    EXPECT_EQ(std::memcmp(&header, &wantedHeader, kHeader), 0);
    ASSERT_EQ(orders.getSize(), 2);
    std::set<std::string> ids;
    const char* flags[] = {"R3", "0"};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        zq::HostOrderRecord record = recordOf(call, kHeader + i * kRecord);
        std::string id = text(record.client_order_id);
        EXPECT_TRUE(isBracedUuid(id));
        EXPECT_EQ(text(record.instance_id) + "/" + text(record.account_id) + "/" + text(record.order_flag),
                  std::string("instance-1/880001/") + flags[i]);
        Order wanted = expectedOrder(requests[i], id, 12, "880001");
        EXPECT_EQ(std::memcmp(&orders.get(i), &wanted, sizeof wanted), 0);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 2u);
    EXPECT_EQ(recordOf(call, kHeader).request.entrust_type, 9);
    EXPECT_EQ(recordOf(call, kHeader).request.count, 1);
}

TEST_F(OrdersTest, BatchCountsOutsideTheUsableRangeAreRefusedBeforeTheHost) {
    OrderRequestEx one = request("600000.SH");
    const std::string bad = "批量下单失败，原因：委托数量非法，数量：";
    struct Case {
        const void* requests;
        int32_t count;
        std::string message;  // empty: an empty batch is still sent
    } cases[] = {
        {&one, 0, ""},
        {&one, -1, bad + "-1"},
        {&one, INT32_MIN, bad + std::to_string(INT32_MIN)},
        {&one, INT32_MAX, bad + std::to_string(INT32_MAX)},
        {nullptr, 2, "批量下单失败，原因：委托列表为空指针"},
    };
    for (const Case& c : cases) {
        for (bool ex : {false, true}) {
            SCOPED_TRACE(std::to_string(c.count) + (ex ? " Ex" : ""));
            host.clear();
            BatchOrderRequest batch{c.requests, c.count, 3, 0};
            OrderList orders = ex ? api->batchOrdersEx(ACCOUNT_STOCK, batch) : api->batchOrders(ACCOUNT_STOCK, batch);
            EXPECT_EQ(orders.getSize(), 0);
            if (!c.message.empty()) {
                EXPECT_TRUE(hostSlots().empty());
                expectOneError(ex ? "ZqSysApi::batchOrdersEx" : "ZqSysApi::batchOrders", c.message);
                continue;
            }
            EXPECT_EQ(host.callsTo(25).at(0).numbers, (std::vector<int64_t>{zq::kCodeBatchOrders, 24}));
            EXPECT_TRUE(host.logs.empty());
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
    EXPECT_EQ(text(orders.get(0).order_id), "own-7");
    EXPECT_EQ(text(orders.get(1).order_id), generated);

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
    EXPECT_EQ(text(record.account_id), std::string(31, 'a'));
    EXPECT_EQ(text(record.instance_id), std::string(31, 'i'));
    EXPECT_EQ(text(order.symbol), std::string(13, 's'));
    EXPECT_EQ(text(order.price_type), "ppp");
    OrderList orders = api->batchOrders(ACCOUNT_STOCK, BatchOrderRequest{&wide, 1, 0, 0});
    EXPECT_EQ(text(orders.get(0).fund_account), std::string(19, 'a'));
    EXPECT_EQ(orders.get(0).security_exchange[0], '\0');
}

TEST_F(OrdersTest, CancelsSendCompactJsonByOrderIdOrByBatch) {
    struct Case {
        const char* orderId;
        int32_t batchNo, batchFlag;
        std::string target;  // org_ord_id as it appears in the JSON
        std::string origOrderId;
    } cases[] = {
        {"O-1", 5, 0, R"("O-1")", "O-1"},
        {"O-1", 5, 2, R"("O-1")", "O-1"},
        {nullptr, 7, 1, "7", "7"},
        {"ignored", -3, 1, "-3", "-3"},
    };
    std::set<std::string> cancelIds;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        host.clear();
        Order cancel = api->cancelOrder(ACCOUNT_STOCK, c.orderId, c.batchNo, c.batchFlag);
        std::string id = text(cancel.order_id);
        EXPECT_TRUE(isBracedUuid(id)) << id;
        fake::HostCall request = host.callsTo(0).at(0);
        EXPECT_EQ(request.numbers, std::vector<int64_t>{zq::kCodeTrade});
        EXPECT_EQ(request.texts.at(0), R"({"params":{"fund_account":"880001","msg_type":2002,"order_list":)"
                                       R"([{"batch_flag":)" +
                                           std::to_string(c.batchFlag) + R"(,"cl_ord_id":")" + id +
                                           R"(","org_ord_id":)" + c.target + R"(}],"push_msg_type":-1}})");
        Order wanted{};
        std::strcpy(wanted.order_id, id.c_str());
        std::strcpy(wanted.orig_order_id, c.origOrderId.c_str());
        wanted.batch_no = c.batchNo;
        wanted.entrust_type = 2;
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
    struct Case {
        bool enable;
        std::optional<int64_t> code;  // none: the host leaves the block as it was
        int32_t result;
    } cases[] = {{true, 0, 0}, {false, 0, 0}, {true, 3, -1}, {true, int64_t{1} << 32, 0}, {false, std::nullopt, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.enable) + " " + (c.code ? std::to_string(*c.code) : "unanswered"));
        host.clear();
        host.answers.erase(zq::kCodeOrderReply);
        if (c.code) host.answers[zq::kCodeOrderReply].code = *c.code;
        EXPECT_EQ(api->enableOrderReply(c.enable), c.result);
        fake::HostCall request = host.callsTo(0).at(0);
        EXPECT_EQ(request.numbers, std::vector<int64_t>{zq::kCodeOrderReply});
        EXPECT_EQ(request.texts.at(0),
                  std::string(R"({"params":{"param_enable_order_reply":)") + (c.enable ? "true" : "false") + "}}");
    }
    EXPECT_TRUE(host.logs.empty());
}

// Records that extend another cannot pin their own offsets at compile time.
TEST(ExtendedRecords, ExtensionsStartRightAfterTheirBase) {
    OrderRequestEx request{};
    SecurityDetialEx detail{};
    TickEx tick{};
    auto offset = [](const void* base, const void* field) {
        return static_cast<const char*>(field) - static_cast<const char*>(base);
    };
    EXPECT_EQ(offset(&request, request.order_flag), 104);
    EXPECT_EQ(offset(&request, request.cl_ord_id), 108);
    EXPECT_EQ(offset(&detail, detail.extension), 224);
    EXPECT_EQ(offset(&tick, tick.extension), 1048);
}

}  // namespace
