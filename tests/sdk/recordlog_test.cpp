// The exact log text of records, symbol lists and parameters.
#include <gtest/gtest.h>

#include <algorithm>
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
    std::string logged(T&& value) {
        ZqLog("s", 1, "f").info() << value;
        return host.logs.empty() ? std::string() : host.logs.back().text;
    }
};

TEST_F(RecordLogTest, AFilledOrderPrintsEveryFieldWithItsLabel) {
    // clang-format off
    Order o = {1, "09:30:00", 300, 100, "600000.SH", "{abc}", 10.5, 1234567.0, 1, 2, 3, 4, 5, "o1", "1", "", 6, 0.1,
               -2.25, "0", 7, "algo", "-1", "inst", "trader", "e9", 8, 9, 3.14159265, "880001", "SH"};
    // clang-format on
    std::memset(o.cancel_info, 'x', 255);
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

TEST_F(RecordLogTest, ZeroEtfConstituentPrintsItsFlagAsADigit) {
    EtfConstituentInfo c{};
    EXPECT_EQ(logged(c),
              "[\nsymbol:\nsample_size:0\ncash_replace_flag:0\ndeposit_ratio:0\nreplace_balance:0\npre_close_px:0"
              "\nhigh_limit_px:0\nlow_limit_px:0\nsuspend_flag:0\n]");
    c.suspend_flag = true;
    EXPECT_NE(logged(c).find("\nsuspend_flag:1\n]"), std::string::npos);
}

// The order queues and level orders are never printed, only marked.
TEST_F(RecordLogTest, ATickPrintsByPositionWithFourMarkers) {
    // clang-format off
    Tick t = {"600000.SH", 20261205, 93000000, 10, 10.1, 10.5, 9.9, 10.2, 1000, 50, 10200.5, 7, 8, 10.05, 10.25,
              {11, 12, 13, 14, 15, 16, 17, 18, 19, 20}, {0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5, 9.5},
              {0, 100, 200, 300, 400, 500, 600, 700, 800, 900}, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90},
              11, 9, 0, 1, 2, 3, 4, 5, 6, "T1", {}, {}, 12, 13, {}, {},
              14, 15, 16.5, 17, 18, 19.5, 20, 21, 22, 23, 24.25, 25, 26, 27.5, 28, 29};
    // clang-format on
    for (int32_t* hidden : {t.ask_order_queue, t.bid_order_queue}) std::fill_n(hidden, 50, 77);
    for (int32_t* hidden : {t.ask_level_orders, t.bid_level_orders}) std::fill_n(hidden, 10, 88);
    EXPECT_EQ(logged(t),
              "[600000.SH,20261205,93000000,10,10.1,10.5,9.9,10.2,1000,50,10200.5,7,8,10.05,10.25,"
              "[11,12,13,14,15,16,17,18,19,20],[0.5,1.5,2.5,3.5,4.5,5.5,6.5,7.5,8.5,9.5],"
              "[0,100,200,300,400,500,600,700,800,900],[0,10,20,30,40,50,60,70,80,90],"
              "11,9,0,1,2,3,4,5,6,T1,[...],[...],12,13,[...],[...],"
              "14,15,16.5,17,18,19.5,20,21,22,23,24.25,25,26,27.5,28,29]");
}

TEST_F(RecordLogTest, APushedBarLeavesOutItsHiddenBytes) {
    KLineDataPush bar = {"2026-12-05 09:31:00", 10, 10.2, 10.3, 9.8, 12345, 125000, 42, "600000.SH", "", "kline_1m"};
    std::memset(bar.reserved, 'Z', sizeof bar.reserved);
    EXPECT_EQ(logged(bar),
              "[\ndatetime:2026-12-05 09:31:00\nopen:10\nclose:10.2\nhigh:10.3\nlow:9.8\ntotal_volume:12345"
              "\ntotal_money:125000\nnum_trades:42\nsymbol:600000.SH\ndata_type:kline_1m\n]");
}

TEST_F(RecordLogTest, AFullTextFieldStopsAtTheFieldsEnd) {
    MarginSecurityInfo info = {1000, 0.5, 2, ""};
    std::memset(info.symbol, 'S', sizeof info.symbol);  // no terminator inside the field
    EXPECT_EQ(logged(info), "[\nloan_available_qty:1000\nloan_ratio:0.5\nposition_type:2\nsymbol:SSSSSSSSSSSSSS\n]");
}

TEST_F(RecordLogTest, MixedLabelsAreSpelledAsTheRecordsSpellThem) {
    EXPECT_NE(logged(Execution{}).find("\npriceType:\n"), std::string::npos);
    EtfEstimateInfo estimate{};
    estimate.IOPV = 1.5;
    EXPECT_EQ(logged(estimate), "[\nsymbol:\ndatetime:\nIOPV:1.5\nDIOPVS1:0\nDIOPVB1:0\npremium:0\ndiscount:0\n]");
    const std::string etfText = logged(EtfInfo{});
    EXPECT_NE(etfText.find("\npre_cash_componet:0\n"), std::string::npos);
    EXPECT_EQ(etfText.substr(etfText.size() - 27), "\nallot_max:0\nredeem_max:0\n]");
    EXPECT_NE(logged(FundInfo{}).find("\nfreezed_deposit:0\nfund_account:\nhk_available_cash:0\n]"), std::string::npos);
}

// Parameters print their text, building a pending schema first.
TEST_F(RecordLogTest, ListsAndParametersPrintInBracketsAndRecordsChainWithOtherInsertions) {
    EXPECT_EQ(logged(SymbolList()), "[]");
    SymbolList list;
    list.put("600000.SH");
    list.put("");
    EXPECT_EQ(logged(list), "[600000.SH,]");
    EXPECT_EQ(logged(StrategyParams()), "[{}]");
    StrategyParams pending;
    pending.addIntParam("p", 5, "d");
    EXPECT_EQ(logged(pending), R"([{"p":{"desc":"d","index":0,"type":"int","value":5}}])");
    MarginContract contract{};
    std::strcpy(contract.contract_no, "C-1");
    ZqLog("s", 1, "f").info() << "contract " << contract << " end";
    const std::string& text = host.logs.back().text;
    EXPECT_EQ(text.substr(0, 10) + "..." + text.substr(text.size() - 22), "contract [...\ncontract_no:C-1\n] end");
}

// Lists filled in a strategy library, read back through this library's bodies.
TEST_F(RecordLogTest, AStrategyLibraryReadsListsAndLogsRecords) {
    runTestStrategy();
    host.clear();
    adapter->ForwardToStrategy(2);
    ASSERT_EQ(host.logs.size(), 1u);
    EXPECT_EQ(host.logs[0].text.substr(0, 45), "600000.SH 300 1 0 true 9 [] 0 1 0.65 [\nstatus");
}

}  // namespace
