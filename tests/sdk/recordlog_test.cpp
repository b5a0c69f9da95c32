// The exact log text of records, symbol lists and parameters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "adapterfixture.h"
#include "norq/lists.h"
#include "norq/records.h"
#include "norq/strategyparams.h"
#include "norq/zqlog.h"

namespace {

using namespace Norq;

class RecordLogTest : public fake::AdapterTest {
protected:
    template <typename T>
    std::string logged(T& value) {
        ZqLog("s", 1, "f").info() << value;
        return host.logs.empty() ? std::string() : host.logs.back().text;
    }
};

TEST_F(RecordLogTest, AFilledOrderPrintsEveryFieldWithItsLabel) {
    Order o{};
    o.status = 1;
    std::strcpy(o.add_time, "09:30:00");
    o.amount = 300;
    o.filled = 100;
    std::strcpy(o.symbol, "600000.SH");
    std::strcpy(o.order_id, "{abc}");
    o.price = 10.5;
    o.avg_cost = 1234567.0;
    o.side = 1;
    o.action = 2;
    o.invest_type = 3;
    o.close_direction = 4;
    o.batch_no = 5;
    std::strcpy(o.orig_order_id, "o1");
    std::strcpy(o.price_type, "1");
    std::memset(o.cancel_info, 'x', 255);
    o.withdraw_amount = 6;
    o.business_balance = 0.1;
    o.clear_balance = -2.25;
    std::strcpy(o.entrust_prop, "0");
    o.entrust_type = 7;
    std::strcpy(o.algo_inst_id, "algo");
    std::strcpy(o.error_code, "-1");
    std::strcpy(o.inst_id, "inst");
    std::strcpy(o.trader_name, "trader");
    std::strcpy(o.entrust_no, "e9");
    o.covered_flag = 8;
    o.last_amount = 9;
    o.last_price = 3.14159265;
    std::strcpy(o.fund_account, "880001");
    std::strcpy(o.security_exchange, "SH");
    EXPECT_EQ(logged(o),
              "[\nstatus:1\nadd_time:09:30:00\namount:300\nfilled:100\nsymbol:600000.SH\norder_id:{abc}\nprice:10.5"
              "\navg_cost:1.23457e+06\nside:1\naction:2\ninvest_type:3\nclose_direction:4\nbatch_no:5"
              "\norig_order_id:o1\nprice_type:1\ncancel_info:" +
                  std::string(255, 'x') +
                  "\nwithdraw_amount:6\nbusiness_balance:0.1\nclear_balance:-2.25\nentrust_prop:0\nentrust_type:7"
                  "\nalgo_inst_id:algo\nerror_code:-1\ninst_id:inst\ntrader_name:trader\nentrust_no:e9"
                  "\ncovered_flag:8\nlast_amount:9\nlast_price:3.14159\nfund_account:880001"
                  "\nsecurity_exchange:SH\n]");
}

TEST_F(RecordLogTest, AZeroOrderPrintsEmptyTextsAndZeros) {
    Order o{};
    std::string text = logged(o);
    EXPECT_EQ(text.compare(0, 43, "[\nstatus:0\nadd_time:\namount:0\nfilled:0\nsymb"), 0) << text;
    EXPECT_NE(text.find("\ncancel_info:\nwithdraw_amount:0\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 35), "\nfund_account:\nsecurity_exchange:\n]");
}

TEST_F(RecordLogTest, ZeroEtfConstituentPrintsItsFlagAsADigit) {
    EtfConstituentInfo c{};
    EXPECT_EQ(logged(c),
              "[\nsymbol:\nsample_size:0\ncash_replace_flag:0\ndeposit_ratio:0\nreplace_balance:0\npre_close_px:0"
              "\nhigh_limit_px:0\nlow_limit_px:0\nsuspend_flag:0\n]");
    c.suspend_flag = true;
    EXPECT_NE(logged(c).find("\nsuspend_flag:1\n]"), std::string::npos);
}

TEST_F(RecordLogTest, ATickPrintsByPositionWithFourMarkers) {
    Tick t{};
    std::strcpy(t.symbol, "600000.SH");
    t.trading_day = 20261205;
    t.update_time = 93000000;
    t.pre_close = 10;
    t.open = 10.1;
    t.high = 10.5;
    t.low = 9.9;
    t.last = 10.2;
    t.volume = 1000;
    t.num_trades = 50;
    t.turnover = 10200.5;
    t.total_bid_volume = 7;
    t.total_ask_volume = 8;
    t.avg_bid_price = 10.05;
    t.avg_ask_price = 10.25;
    for (int i = 0; i < 10; ++i) {
        t.ask_price[i] = 11 + i;
        t.bid_price[i] = i + 0.5;
        t.ask_volume[i] = i * 100;
        t.bid_volume[i] = i * 10;
        t.ask_level_orders[i] = 88;
        t.bid_level_orders[i] = 88;
    }
    t.high_limit = 11;
    t.low_limit = 9;
    t.open_interest = 1;
    t.pre_open_interest = 2;
    t.settle_price = 3;
    t.pre_settle_price = 4;
    t.delta = 5;
    t.pre_delta = 6;
    std::strcpy(t.trading_phase, "T1");
    for (int i = 0; i < 50; ++i) t.ask_order_queue[i] = t.bid_order_queue[i] = 77;
    t.ask_queue_length = 12;
    t.bid_queue_length = 13;
    t.withdraw_buy_number = 14;
    t.withdraw_buy_volume = 15;
    t.withdraw_buy_amount = 16.5;
    t.withdraw_sell_number = 17;
    t.withdraw_sell_volume = 18;
    t.withdraw_sell_amount = 19.5;
    t.total_bid_number = 20;
    t.total_ask_number = 21;
    t.bid_trade_max_duration = 22;
    t.ask_trade_max_duration = 23;
    t.close_price = 24.25;
    t.num_bid_levels = 25;
    t.num_ask_levels = 26;
    t.after_hours_price = 27.5;
    t.after_hours_volume = 28;
    t.after_hours_turnover = 29;
    EXPECT_EQ(logged(t),
              "[600000.SH,20261205,93000000,10,10.1,10.5,9.9,10.2,1000,50,10200.5,7,8,10.05,10.25,"
              "[11,12,13,14,15,16,17,18,19,20],[0.5,1.5,2.5,3.5,4.5,5.5,6.5,7.5,8.5,9.5],"
              "[0,100,200,300,400,500,600,700,800,900],[0,10,20,30,40,50,60,70,80,90],"
              "11,9,0,1,2,3,4,5,6,T1,[...],[...],12,13,[...],[...],"
              "14,15,16.5,17,18,19.5,20,21,22,23,24.25,25,26,27.5,28,29]");
}

TEST_F(RecordLogTest, APushedBarLeavesOutItsHiddenBytes) {
    KLineDataPush bar{};
    std::strcpy(bar.datetime, "2026-12-05 09:31:00");
    bar.open = 10;
    bar.close = 10.2;
    bar.high = 10.3;
    bar.low = 9.8;
    bar.total_volume = 12345;
    bar.total_money = 125000;
    bar.num_trades = 42;
    std::strcpy(bar.symbol, "600000.SH");
    std::memset(bar.reserved, 'Z', sizeof bar.reserved);
    std::strcpy(bar.data_type, "kline_1m");
    EXPECT_EQ(logged(bar),
              "[\ndatetime:2026-12-05 09:31:00\nopen:10\nclose:10.2\nhigh:10.3\nlow:9.8\ntotal_volume:12345"
              "\ntotal_money:125000\nnum_trades:42\nsymbol:600000.SH\ndata_type:kline_1m\n]");
}

TEST_F(RecordLogTest, AFullTextFieldStopsAtTheFieldsEnd) {
    MarginSecurityInfo info{};
    info.loan_available_qty = 1000;
    info.loan_ratio = 0.5;
    info.position_type = 2;
    std::memset(info.symbol, 'S', sizeof info.symbol);  // no terminator inside the field
    EXPECT_EQ(logged(info), "[\nloan_available_qty:1000\nloan_ratio:0.5\nposition_type:2\nsymbol:SSSSSSSSSSSSSS\n]");
}

TEST_F(RecordLogTest, MixedLabelsAreSpelledAsTheRecordsSpellThem) {
    Execution e{};
    std::string execution = logged(e);
    EXPECT_NE(execution.find("\npriceType:\n"), std::string::npos);
    EXPECT_EQ(execution.find("price_type"), std::string::npos);

    EtfEstimateInfo estimate{};
    estimate.IOPV = 1.5;
    EXPECT_EQ(logged(estimate), "[\nsymbol:\ndatetime:\nIOPV:1.5\nDIOPVS1:0\nDIOPVB1:0\npremium:0\ndiscount:0\n]");

    EtfInfo etf{};
    etf.etf_type = 5;
    etf.etf_status = 6;
    std::string etfText = logged(etf);
    EXPECT_NE(etfText.find("\npre_cash_componet:0\n"), std::string::npos);
    EXPECT_EQ(etfText.substr(etfText.size() - 27), "\nallot_max:0\nredeem_max:0\n]");

    FundInfo fund{};
    EXPECT_NE(logged(fund).find("\nfreezed_deposit:0\nfund_account:\nhk_available_cash:0\n]"), std::string::npos);
}

TEST_F(RecordLogTest, SecondNamesPrintAsTheirFirstNames) {
    RecordOrder591 order{};
    order.side = 1;
    order.order_no = 123456789012LL;
    RecordOrder& plain = order;
    EXPECT_EQ(logged(order), logged(plain));
    EXPECT_NE(logged(order).find("\norder_no:123456789012\n"), std::string::npos);
    RecordTransaction591 trade{};
    RecordTransaction& plainTrade = trade;
    EXPECT_EQ(logged(trade), logged(plainTrade));
}

TEST_F(RecordLogTest, SymbolListsPrintCommaSeparated) {
    SymbolList list;
    EXPECT_EQ(logged(list), "[]");
    list.put("600000.SH");
    list.put("000001.SZ");
    EXPECT_EQ(logged(list), "[600000.SH,000001.SZ]");
    EXPECT_EQ(list.getSize(), 2);
}

TEST_F(RecordLogTest, ParametersPrintTheirTextAndBuildPendingSchemas) {
    StrategyParams fresh;
    EXPECT_EQ(logged(fresh), "[{}]");
    StrategyParams pending;
    pending.addIntParam("p", 5, "d");
    EXPECT_EQ(logged(pending), R"([{"p":{"desc":"d","index":0,"type":"int","value":5}}])");
    EXPECT_STREQ(pending.getStrategyParams().str(), R"({"p":{"desc":"d","index":0,"type":"int","value":5}})");
}

TEST_F(RecordLogTest, RecordsChainWithOtherInsertions) {
    MarginContract contract{};
    std::strcpy(contract.contract_no, "C-1");
    ZqLog("s", 1, "f").info() << "contract " << contract << " end";
    ASSERT_FALSE(host.logs.empty());
    const std::string& text = host.logs.back().text;
    EXPECT_EQ(text.substr(0, 10), "contract [");
    EXPECT_EQ(text.substr(text.size() - 22), "\ncontract_no:C-1\n] end");
}

TEST_F(RecordLogTest, AStrategyLibraryReadsListsAndLogsRecords) {
    runTestStrategy();
    host.clear();
    adapter->ForwardToStrategy(2);
    ASSERT_EQ(host.logs.size(), 1u);
    const std::string& text = host.logs[0].text;
    EXPECT_EQ(host.logs[0].line, 4343);
    EXPECT_EQ(text.substr(0, 45), "600000.SH 300 1 0 true 9 [] 0 1 0.65 [\nstatus");
    EXPECT_NE(text.find("\nsymbol:600000.SH\n"), std::string::npos);
}

}  // namespace
