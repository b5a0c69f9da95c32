// The local host's fill model and account arithmetic, worked out by hand on
// a few bars, and the reports its host services push.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "account.h"
#include "barsmarket.h"
#include "localhost.h"
#include "params.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"
#include "zq/hostrows.h"

namespace {

using namespace zqhost;

Bar bar(int64_t stamp, double open, double high, double low, double close, double volume = 1000) {
    return {"600000.SH", 0, 60, stamp, 0, open, high, low, close, volume, 0};
}

class AccountTest : public ::testing::Test {
protected:
    SimAccount account{{10000, 0.001, false}, {"600000.SH"}};
    const SimOrder& placed(const zq::HostOrderRecord& r, int64_t now) { return account.orders()[account.place(r, 0, now)]; }
};

TEST_F(AccountTest, OrdersFillOnLaterBarsOnlyAtTheModelsPrices) {
    account.onBar(bar(20240102093000, 10, 10.2, 9.8, 10));
    struct Case { const char* id; const char* priceType; double limit, fillPrice; } cases[] = {  // 0: not filled
        {"market-buy", "a", 0, 10.5},         // the next bar's open
        {"limit-below", "1", 9.5, 0},         // the next bar's low 9.7 never reaches 9.5
        {"limit-through", "1", 9.9, 9.9},     // traded through: at the limit
        {"limit-above-open", "1", 11, 10.5},  // the open is better than the limit
    };
    for (const Case& c : cases) placed(order(c.id, 1, 100, c.priceType, c.limit), 20240102093000);
    EXPECT_TRUE(account.onBar(bar(20240102093000, 10, 10.2, 9.8, 10)).fills.empty()) << "not on the bar placed on";
    std::vector<size_t> fills = account.onBar(bar(20240102093100, 10.5, 10.8, 9.7, 10.6)).fills;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        double price = 0;
        for (size_t f : fills) {
            if (account.orders()[account.fills()[f].order].id == c.id) price = account.fills()[f].price;
        }
        EXPECT_DOUBLE_EQ(price, c.fillPrice);
    }
    // 100 at 10.5, 100 at 9.9 and 100 at 10.5, each with 0.1% commission.
    EXPECT_NEAR(account.cash(), 10000 - (1050 + 990 + 1050) * 1.001, 1e-9);
    EXPECT_EQ(account.positions().at("600000.SH").amount, 300);
    EXPECT_NEAR(account.equity(), account.cash() + 300 * 10.6, 1e-9);
}

TEST_F(AccountTest, OrdersTheAccountCannotHonourAreRejectedWithTheirReason) {
    EXPECT_EQ(placed(order("early", 1, 100), 20240102093000).reason, "no price of 600000.SH yet for a market order");
    account.onBar(bar(20240102093000, 10, 10.2, 9.8, 10));
    struct Case { zq::HostOrderRecord record; std::string reason; } cases[] = {
        {order("cash", 1, 1000, "1", 10), "insufficient cash: needs 10010.00, available 10000.00"},
        {order("short", 2, 100, "a", 0), "insufficient position: selling 100 of 600000.SH, closeable 0"},
        {order("symbol", 1, 100, "a", 0, "000001.SZ"), "no market data for symbol '000001.SZ'"},
        {order("type", 1, 100, "9", 10), "price type '9' is not simulated (use \"1\" for limit, \"a\"-\"f\" or \"l\" for market)"},
        {order("side", 3, 100, "a", 0), "side 3 is neither buy (1) nor sell (2)"},
        {order("amount", 1, 0, "a", 0), "amount 0 is not positive"},
        {order("limit", 1, 100, "1", 0), "limit price 0.00 is not positive"},
    };
    for (const Case& c : cases) {
        const SimOrder& o = placed(c.record, 20240102093000);
        EXPECT_EQ(o.status, kRejected) << o.id;
        EXPECT_EQ(o.reason, c.reason) << o.id;
    }
    EXPECT_DOUBLE_EQ(account.reservedCash(), 0);
}

TEST_F(AccountTest, OpenOrdersHoldCashAndSharesUntilFilledOrCancelled) {
    account.onBar(bar(20240102093000, 10, 10.2, 9.8, 10));
    placed(order("b1", 1, 500, "1", 9), 20240102093000);
    EXPECT_NEAR(account.reservedCash(), 4500 * 1.001, 1e-9);
    EXPECT_EQ(placed(order("b2", 1, 700, "1", 9), 20240102093000).status, kRejected) << "the cash is held for b1";
    std::vector<size_t> changed;
    std::string reason;
    EXPECT_TRUE(account.cancel("b1", reason, changed));
    EXPECT_EQ(account.orders()[changed.at(0)].status, kCancelled);
    EXPECT_DOUBLE_EQ(account.reservedCash(), 0);
    EXPECT_FALSE(account.cancel("b1", reason, changed));
    EXPECT_EQ(reason, "order b1 is no longer open");

    placed(order("b3", 1, 100, "a", 0), 20240102093000);
    account.onBar(bar(20240102093100, 10, 10, 10, 10));
    placed(order("s1", 2, 60, "1", 12), 20240102093100);
    EXPECT_EQ(placed(order("s2", 2, 50, "a", 0), 20240102093100).status, kRejected) << "60 of 100 are held for s1";
    account.onBar(bar(20240102093200, 11, 12.5, 11, 12));
    EXPECT_EQ(account.positions().at("600000.SH").amount, 40);
    // 60 sold at the limit 12, bought at 10.
    EXPECT_NEAR(account.positions().at("600000.SH").realized, 120, 1e-9);
    EXPECT_NEAR(account.realized(), 120, 1e-9);
}

// A bar of volume 400 and buys of 300 and 300: the first placed takes 300,
// the second the 100 left, and the rest of it fills on the next bar.
TEST(AccountPartialFills, OrdersOnOneBarShareItsVolumeInPlacementOrder) {
    SimAccount account{{100000, 0, true}, {"600000.SH"}};
    account.onBar(bar(20240102093000, 10, 10, 10, 10));
    size_t first = account.place(order("first", 1, 300, "a", 0), 0, 20240102093000);
    size_t second = account.place(order("second", 1, 300, "a", 0), 0, 20240102093000);
    // A partly filled buy still holds the cash of what is left of it.
    struct { double volume; int32_t firstFilled, secondFilled; OrderStatus secondStatus; double reserved; } steps[] = {
        {400, 300, 100, kPartiallyFilled, 2000}, {150, 300, 250, kPartiallyFilled, 500}, {1000, 300, 300, kFilled, 0}};
    int64_t stamp = 20240102093100;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.volume);
        account.onBar(bar(stamp++, 10, 10, 10, 10, step.volume));
        EXPECT_EQ(account.orders()[first].filled, step.firstFilled);
        EXPECT_EQ(account.orders()[second].filled, step.secondFilled);
        EXPECT_EQ(account.orders()[second].status, step.secondStatus);
        EXPECT_DOUBLE_EQ(account.reservedCash(), step.reserved);
    }
    EXPECT_EQ(account.orders()[first].status, kFilled);
    EXPECT_EQ(account.fills().size(), 4u);
    EXPECT_EQ(account.fills().back().amount, 50);
    EXPECT_EQ(account.positions().at("600000.SH").amount, 600);
}

// Held back at the last close (10) plus commission; the next bar opens at 20.
TEST_F(AccountTest, ABuyTheCashNoLongerCoversAtTheFillIsRejectedThen) {
    account.onBar(bar(20240102093000, 10, 10, 10, 10));
    size_t index = account.place(order("gap", 1, 900, "a", 0), 0, 20240102093000);
    EXPECT_NEAR(account.reservedCash(), 9000 * 1.001, 1e-9);
    EXPECT_NEAR(account.reservedCommission(), 9, 1e-9);
    AccountChanges changes = account.onBar(bar(20240102093100, 20, 20, 20, 20));
    EXPECT_EQ(changes.orders, std::vector<size_t>{index});
    EXPECT_TRUE(changes.fills.empty() && account.orders()[index].status == kRejected);
    EXPECT_EQ(account.orders()[index].reason,
              "insufficient cash at the fill price 20.00: needs 18018.00, available 10000.00");
    EXPECT_EQ(std::make_pair(account.reservedCash(), account.cash()), std::make_pair(0.0, 10000.0));
    EXPECT_TRUE(account.onBar(bar(20240102093200, 5, 5, 5, 5)).fills.empty()) << "a rejected order never fills";
}

// A lot of 100, with partial fills so that an odd 50 can be held: a buy of
// 300 meets a bar of volume 250 and its rest is cancelled.
TEST(AccountLots, BuysComeInWholeLotsAndOddSharesAreSoldWithThem) {
    SimAccount account{{1000000, 0, true, 100}, {"600000.SH"}};
    account.onBar(bar(20240102093000, 10, 10, 10, 10));
    struct Case { int32_t side, amount; std::string reason; } buys[] = {  // no reason: accepted
        {1, 150, "amount 150 is not a multiple of the lot 100"},
        {1, 99, "amount 99 is not a multiple of the lot 100"},
        {1, 300, ""},
    };
    for (const Case& c : buys) {
        std::string id = "b" + std::to_string(c.amount);
        EXPECT_EQ(account.orders()[account.place(order(id.c_str(), 1, c.amount, "a", 0), 0, 20240102093000)].reason,
                  c.reason);
    }
    account.onBar(bar(20240102093100, 10, 10, 10, 10, 250));
    std::vector<size_t> changed;
    std::string reason;
    ASSERT_TRUE(account.cancel("b300", reason, changed)) << reason;
    ASSERT_EQ(account.positions().at("600000.SH").amount, 250);
    const std::string odd = " (nor whole lots and the 50 odd shares held)";
    Case sells[] = {
        {2, 30, "amount 30 is not a multiple of the lot 100" + odd},
        {2, 120, "amount 120 is not a multiple of the lot 100" + odd},
        {2, 150, ""},  // a lot and the odd 50
        {2, 100, ""},
    };
    for (const Case& c : sells) {
        EXPECT_EQ(account.orders()[account.place(order("s", 2, c.amount, "a", 0), 0, 20240102093100)].reason, c.reason)
            << c.amount;
    }
}

// 50 basis points: market buys fill 0.5% above the open, market sells below;
// limits are not moved. A market buy holds back the last close moved alike.
TEST(AccountSlippage, MarketFillsMoveAgainstTheTrader) {
    SimAccount account{{1000000, 0, false, 1, 50}, {"600000.SH"}};
    account.onBar(bar(20240102093000, 10, 10, 10, 10));
    account.place(order("buy", 1, 100, "a", 0), 0, 20240102093000);
    EXPECT_DOUBLE_EQ(account.reservedCash(), 100 * 10 * 1.005);
    account.place(order("limit", 1, 100, "1", 10), 0, 20240102093000);
    account.onBar(bar(20240102093100, 10, 10, 10, 10));
    account.place(order("sell", 2, 100, "a", 0), 0, 20240102093100);
    account.onBar(bar(20240102093200, 10, 10, 10, 10));
    const std::pair<const char*, double> cases[] = {{"buy", 10.05}, {"limit", 10}, {"sell", 9.95}};
    ASSERT_EQ(account.fills().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(account.orders()[account.fills()[i].order].id, cases[i].first);
        EXPECT_DOUBLE_EQ(account.fills()[i].price, cases[i].second) << cases[i].first;
    }
}

// A cancel the account cannot carry out is answered, as the client answers
// it, by one order report with the reason. Symbol details tell the lot
// --lot enforces, else the usual 100.
TEST(LocalHostServices, ARefusedCancelGetsAnOrderReportDetailsTellTheLotAndAnEmptyBatchIsOne) {
    BarsMarket market({bar(20240102093000, 10, 10, 10, 10), bar(20240102093100, 10, 10, 10, 10)});
    SimAccount account{{10000, 0, false}, market.symbols()};
    LocalHost host({}, &market, &account);
    market.advanceTo(0);
    account.onBar(market.bars()[0]);
    zq::HostOrderRecord done = order("done", 1, 100, "a", 0);
    host.SubmitOrder(&done, nullptr);
    market.advanceTo(1);
    host.reportChanges(account.onBar(market.bars()[1]));
    Push push;
    while (host.takePush(push)) {
    }
    const std::pair<const char*, std::string> cases[] = {
        {R"({"batch_flag":0,"org_ord_id":"done"})", "done 8 cancel refused: order done is no longer open 880001 0"},
        {R"({"batch_flag":0,"org_ord_id":"nope"})", "nope 9 cancel refused: no order nope 880001 0"},
        {R"({"batch_flag":1,"org_ord_id":7})", "batch 7 9 cancel refused: batch 7 has no open order 880001 7"},
    };
    for (const auto& [orderList, report] : cases) {
        SCOPED_TRACE(orderList);
        std::string json = R"({"params":{"fund_account":"880001","order_list":[)" + std::string(orderList) + "]}}";
        zq::HostResult result{};
        EXPECT_NE(host.Request(zq::kCodeTrade, json.c_str(), &result), 0);
        ASSERT_TRUE(host.takePush(push) && push.id == 1081u && push.row.size() == sizeof(zq::OrderRow));
        zq::OrderRow row;
        std::memcpy(&row, push.row.data(), sizeof row);
        EXPECT_EQ(std::string(row.order_id) + " " + row.status + " " + row.cancel_info + " " + row.fund_account + " " +
                      std::to_string(row.batch_no), report);
        EXPECT_FALSE(host.takePush(push)) << "one report per refusal";
    }
    // A batch of no orders is a batch; fewer bytes than its header are not.
    zq::HostBatchHeader empty{0, 5, 0, {}};
    EXPECT_EQ(host.SubmitBuffer(zq::kCodeBatchOrders, &empty, sizeof empty, nullptr), 0);
    EXPECT_NE(host.SubmitBuffer(zq::kCodeBatchOrders, &empty, sizeof empty - 1, nullptr), 0);
    for (int32_t lot : {1, 200}) {
        SimAccount lots{{10000, 0, false, lot}, market.symbols()};
        LocalHost details({}, &market, &lots);
        zq::HostResult result{};
        const char* query = R"({"params":{"msg_type":2074,"security_symbol":"600000.SH"}})";
        ASSERT_EQ(details.Request(zq::kCodeQuery, query, &result), 0);
        std::string detail = result.data;
        std::free(result.data);
        EXPECT_NE(detail.find(lot == 1 ? R"("LotSize":"100")" : R"("LotSize":"200")"), std::string::npos) << detail;
    }
}

TEST(RunParams, DefaultsAndChoicesBecomeTheTextsTheLibraryReads) {
    const std::string schema =
        R"({"n":{"type":"int","value":20},"x":{"type":"float","value":0.5},"on":{"type":"bool","value":true},)"
        R"("s":{"type":"string","value":"a"},"p":{"type":"list","value":["k1","k5"],"default_index":1},)"
        R"("t":{"type":"table","value":"[]"}})";
    // No result: refused with the error.
    struct { std::string json; std::vector<std::string> sets; std::string result, error; } cases[] = {
        {"", {}, R"({"n":"20","on":"1","operate_mode":"1","p":"k5","s":"a","x":"0.5"})", ""},
        {R"({"n":7,"on":false,"p":"k1"})", {"s=b", "x=2.25"},
         R"({"n":"7","on":"0","operate_mode":"1","p":"k1","s":"b","x":"2.25"})", ""},
        {R"({"n":"7"})", {"on=true"}, R"({"n":"7","on":"1","operate_mode":"1","p":"k5","s":"a","x":"0.5"})", ""},
        {R"({"n":7.5})", {}, "", "parameter 'n' takes a whole number"},
        {R"({"on":"yes"})", {}, "", "parameter 'on' takes true or false"},
        {R"({"p":"k15"})", {}, "", "parameter 'p' takes one of its list entries"},
        {R"({"q":1})", {}, "", "the strategy has no parameter 'q'"},
        {"{bad", {}, "", "--params is not valid JSON: "},
        {"", {"n"}, "", "--param takes NAME=VALUE, got 'n'"},
    };
    for (const auto& c : cases) {
        std::string result, error;
        bool ok = buildRunParams(schema, c.json, c.sets, result, error);
        EXPECT_EQ(ok, c.error.empty()) << c.json << " " << error;
        EXPECT_EQ(result, c.result) << c.json;
        EXPECT_EQ(error.substr(0, c.error.size()), c.error) << c.json;
    }
}

}  // namespace
