// The local host's fill model and account arithmetic, worked out by hand on
// a few bars.
#include <gtest/gtest.h>

#include <cstring>

#include "account.h"
#include "params.h"

namespace {

using namespace zqhost;

Bar bar(int64_t stamp, double open, double high, double low, double close, double volume = 1000) {
    Bar b;
    b.symbol = "600000.SH";
    b.stamp = stamp;
    b.open = open;
    b.high = high;
    b.low = low;
    b.close = close;
    b.volume = volume;
    return b;
}

zq::HostOrderRecord order(const char* id, int32_t side, int32_t amount, const char* priceType, double price,
                          const char* symbol = "600000.SH") {
    zq::HostOrderRecord r{};
    std::strcpy(r.client_order_id, id);
    std::strcpy(r.account_id, "880001");
    std::strcpy(r.request.symbol, symbol);
    std::strcpy(r.request.price_type, priceType);
    r.request.side = side;
    r.request.amount = amount;
    r.request.price = price;
    return r;
}

class AccountTest : public ::testing::Test {
protected:
    SimAccount account{{10000, 0.001, false}, {"600000.SH"}};
    const SimOrder& placed(const zq::HostOrderRecord& r, int64_t now) { return account.orders()[account.place(r, 0, now)]; }
};

TEST_F(AccountTest, OrdersFillOnLaterBarsOnlyAtTheModelsPrices) {
    account.onBar(bar(20240102093000, 10, 10.2, 9.8, 10));
    struct Case {
        const char* id;
        int32_t side;
        const char* priceType;
        double limit;
        double fillPrice;  // 0: not filled by the next bar
    } cases[] = {
        {"market-buy", 1, "a", 0, 10.5},     // the next bar's open
        {"limit-below", 1, "1", 9.5, 0},     // the next bar's low 9.7 never reaches 9.5
        {"limit-through", 1, "1", 9.9, 9.9}, // traded through: at the limit
        {"limit-above-open", 1, "1", 11, 10.5},  // the open is better than the limit
    };
    for (const Case& c : cases) placed(order(c.id, c.side, 100, c.priceType, c.limit), 20240102093000);
    std::vector<size_t> fills = account.onBar(bar(20240102093100, 10.5, 10.8, 9.7, 10.6));
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

TEST_F(AccountTest, AnOrderNeverFillsOnTheBarItWasPlacedOn) {
    account.onBar(bar(20240102093000, 10, 10.2, 9.8, 10));
    placed(order("same-bar", 1, 100, "1", 10.1), 20240102093000);
    EXPECT_TRUE(account.onBar(bar(20240102093000, 10, 10.2, 9.8, 10)).empty());
    EXPECT_EQ(account.onBar(bar(20240102093100, 10, 10.2, 9.8, 10)).size(), 1u);
}

TEST_F(AccountTest, OrdersTheAccountCannotHonourAreRejectedWithTheirReason) {
    account.onBar(bar(20240102093000, 10, 10.2, 9.8, 10));
    struct Case {
        zq::HostOrderRecord record;
        std::string reason;
    } cases[] = {
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
}

TEST(AccountPartialFills, ABarFillsAtMostItsVolume) {
    SimAccount account{{100000, 0, true}, {"600000.SH"}};
    account.onBar(bar(20240102093000, 10, 10, 10, 10));
    size_t index = account.place(order("big", 1, 250, "a", 0), 0, 20240102093000);
    account.onBar(bar(20240102093100, 10, 10, 10, 10, 100));
    EXPECT_EQ(account.orders()[index].status, kPartiallyFilled);
    account.onBar(bar(20240102093200, 10, 10, 10, 10, 100));
    account.onBar(bar(20240102093300, 10, 10, 10, 10, 100));
    EXPECT_EQ(account.orders()[index].status, kFilled);
    EXPECT_EQ(account.fills().size(), 3u);
    EXPECT_EQ(account.fills().back().amount, 50);
}

TEST(RunParams, DefaultsAndChoicesBecomeTheTextsTheLibraryReads) {
    const std::string schema =
        R"({"n":{"type":"int","value":20},"x":{"type":"float","value":0.5},"on":{"type":"bool","value":true},)"
        R"("s":{"type":"string","value":"a"},"p":{"type":"list","value":["k1","k5"],"default_index":1},)"
        R"("t":{"type":"table","value":"[]"}})";
    struct Case {
        std::string json;
        std::vector<std::string> sets;
        std::string result;  // empty: refused with `error`
        std::string error;
    } cases[] = {
        {"", {}, R"({"n":"20","on":"1","p":"k5","s":"a","x":"0.5"})", ""},
        {R"({"n":7,"on":false,"p":"k1"})", {"s=b", "x=2.25"}, R"({"n":"7","on":"0","p":"k1","s":"b","x":"2.25"})", ""},
        {R"({"n":"7"})", {"on=true"}, R"({"n":"7","on":"1","p":"k5","s":"a","x":"0.5"})", ""},
        {R"({"n":7.5})", {}, "", "parameter 'n' takes a whole number"},
        {R"({"on":"yes"})", {}, "", "parameter 'on' takes true or false"},
        {R"({"p":"k15"})", {}, "", "parameter 'p' takes one of its list entries"},
        {R"({"q":1})", {}, "", "the strategy has no parameter 'q'"},
        {"{bad", {}, "", "--params is not valid JSON: "},
        {"", {"n"}, "", "--param takes NAME=VALUE, got 'n'"},
    };
    for (const Case& c : cases) {
        std::string result, error;
        bool ok = buildRunParams(schema, c.json, c.sets, result, error);
        EXPECT_EQ(ok, c.error.empty()) << c.json << " " << error;
        EXPECT_EQ(result, c.result) << c.json;
        EXPECT_EQ(error.substr(0, c.error.size()), c.error) << c.json;
    }
}

}  // namespace
