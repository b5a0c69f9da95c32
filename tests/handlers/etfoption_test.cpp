// The ETF and option handlers as the host sees them: creation, redemption,
// exercise and freezes as one 240-byte record under each operation's own
// code, ETF queries byte for byte with their answers as records, and what
// every handler operation does without its account.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "bytes.h"
#include "apifixture.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"

namespace {

using fake::isAllZero;
using fake::text;
using namespace Norq;
using EtfOptionTest = fake::HandlerTest;

TEST_F(EtfOptionTest, EachOrderReachesTheHostAsOneRecordUnderItsOwnCode) {
    const char* wide = "510050.SH.ABCDEFGHIJ";
    struct Case {
        std::function<Order()> call;
        int32_t code;
        const char* account;
        const char* flag;
        OrderRequest sent;
    } cases[] = {
        // clang-format off
        {[&] { return etf->etfPurchase("510050.SH", 900000, ACCOUNT_STOCK, 7); }, zq::kCodeEtfPurchase, "880001", "N",
         {"510050.SH", 900000, 1, 0, "", 0, 0, 0, 0, 0, 0, {}, 7, 0}},
        {[&] { return etf->etfRedemption(wide, 100, ACCOUNT_STOCK_MARGIN, -3); }, zq::kCodeEtfRedemption, "M-1", "N",
         {"510050.SH.ABC", 100, 2, 0, "", 0, 0, 0, 0, 0, 0, {}, -3, 0}},
        {[&] { return option->optionExercise("10004567", 2); }, zq::kCodeOptionExercise, "O-1", "a",
         {"10004567", 2, 2, 0, "1", 0, 3, 0, 0, 1, 0, {}, 0, 0}},
        {[&] { return option->underlyingSecurityFreeze("510050.SH", 10000, true); }, zq::kCodeUnderlyingFreeze, "O-1",
         "9", {"510050.SH", 10000, 1, 0, "1", 0, 0, 0, 0, 1, 0, {}, 0, 0}},
        {[&] { return option->underlyingSecurityFreeze(wide, 10000, false); }, zq::kCodeUnderlyingFreeze, "O-1",
         "9", {"510050.SH.ABC", 10000, 2, 0, "1", 0, 0, 0, 0, 1, 0, {}, 0, 0}},
        // clang-format on
    };
    std::set<std::string> ids;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        host.clear();
        host.answers[c.code] = {};
        Order order = c.call();
        auto sent = host.callsTo(25);
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].numbers, (std::vector<int64_t>{c.code, 240}));
        zq::HostOrderRecord record = fake::recordAt<zq::HostOrderRecord>(sent[0].bytes);
        std::string id = text(record.client_order_id);
        EXPECT_TRUE(fake::isBracedUuid(id)) << id;
        ids.insert(id);
        zq::HostOrderRecord expected = fake::expectedRecord(c.sent, id, c.account, c.flag);
        EXPECT_EQ(std::memcmp(&record, &expected, sizeof expected), 0) << "the record differs";
        Order wanted = fake::expectedOrder(c.sent, id);
        EXPECT_EQ(std::memcmp(&order, &wanted, sizeof order), 0) << "the returned order differs";

        host.answers[c.code].returned = 1;
        EXPECT_TRUE(isAllZero(c.call())) << "a refusal gives the zero order";
        EXPECT_TRUE(host.logs.empty()) << "and is not logged";
    }
    EXPECT_EQ(ids.size(), 5u) << "every order has its own client order id";
}

TEST_F(EtfOptionTest, WithoutItsAccountAnOperationAsksNothingAndSaysWhy) {
    host.accountIds = {{"stock", "880001"}};
    EXPECT_TRUE(isAllZero(etf->etfPurchase("510050.SH", 1, 9, 0)));
    EXPECT_TRUE(isAllZero(etf->etfRedemption("510050.SH", 1, ACCOUNT_FUTURES, 0)));
    EXPECT_TRUE(isAllZero(option->optionExercise("10004567", 1)));
    EXPECT_TRUE(isAllZero(option->underlyingSecurityFreeze(nullptr, 1, true)));
    EXPECT_EQ(margin->marginCashDirectRefund(5, "C-7"), -1);
    EXPECT_EQ(margin->getMarginCashStocks().getSize() + margin->getMarginSecStocks().getSize() +
                  margin->getMarginContract("C-7").getSize(),
              0);
    EXPECT_TRUE(isAllZero(margin->getMarginAsset()));
    EXPECT_EQ(margin->getMarginAssureSecurityList().getSize() + margin->getMarginSecurityListAll().getSize(), 0);
    EXPECT_EQ(margin->getAvaliableMarginQty(MarginQtyRequest{"600000.SH", 1, 10, "0", 7, 0}), 0);
    MarginAssetRsp rsp = margin->getMarginAssetFromCounter();
    EXPECT_EQ(std::make_tuple(rsp.error_code, std::string(rsp.error_info.str()), isAllZero(rsp.asset)),
              std::make_tuple(-1, std::string("查询信用资产失败,未找到信用账号"), true));
    std::vector<std::string> askedFor, names{"unknown", "futures", "option", "option"};
    for (const fake::HostCall& call : host.callsTo(22)) askedFor.push_back(call.texts.at(0));
    names.resize(13, "stock_margin");
    EXPECT_EQ(askedFor, names);
    EXPECT_EQ(host.callsTo(0).size() + host.callsTo(25).size(), 0u);
    const std::string etfLine = "3 zqetfhandler ZqEtfHandler::",
                      optionLine = "3 zqoptiontradehandler ZqOptionTradeHandler::",
                      marginLine = "3 zqmarginhandler ZqMarginHandler::",
                      lending = "未找到信用账号，查询可融券列表失败";
    EXPECT_EQ(logLines(), (std::vector<std::string>{
                              etfLine + "etfPurchase: 未找到对应类型的账号，查询订单失败，账号类型：9",
                              etfLine + "etfRedemption: 未找到对应类型的账号，查询订单失败，账号类型：3",
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
}

TEST_F(EtfOptionTest, EtfInformationReadsEachKeyWithItsOwnType) {
    // Static, so the padding of the expected records is zero.
    static const struct Case {
        const char* answer;
        EtfInfo expected;
    } cases[] = {
        {R"({"etf_fund_symbol":"510050.SH.ABCDEFGHIJ","etf_symbol":"510051.SH.ABCDEFGHIJ","report_unit":900000,)"
         R"("cash_balance":"1234.5","max_cash_ratio":0.5,"pre_cash_componet":"-12.25","nav_percu":"3.125",)"
         R"("nav_pre":"2.5","allot_max":12.9,"redeem_max":-12.9,"etf_type":"1","etf_status":"2"})",
         {"510050.SH.ABC", "510051.SH.ABC", 900000, 1234.5, 0.5, -12.25, 3.125, 2.5, 12, -12, 1, 2}},
        {R"({"etf_fund_symbol":"510050","etf_symbol":510051,"report_unit":"900000","cash_balance":1234.5,)"
         R"("max_cash_ratio":"0.5","nav_pre":2.5,"allot_max":1e6,"redeem_max":"7","etf_type":1,"etf_status":2})",
         {"510050", "", 0, 0, 0, 0, 0, 0, 1000000, 0, 0, 0}},
        {R"({"etf_fund_symbol":"","etf_symbol":"510051","report_unit":900000,"allot_max":5})", {}},
        {"not json", {}},
    };
    for (const Case& c : cases) {
        host.clear();
        host.answers[zq::kCodeQuery].data = c.answer;
        EtfInfo info = etf->getEtfInfo("510050");
        EXPECT_EQ(std::memcmp(&info, &c.expected, sizeof info), 0) << c.answer;
        EXPECT_EQ(sentJson(), R"(2055 {"params":{"etf_fund_symbol":"510050","msg_type":2061}})");
    }
    EXPECT_EQ(logLines(), std::vector<std::string>{"3 zqstructassembler ZqStructAssembler::assembleEtfInfo: "
                                                   "json解析失败：not json,illegal value"});
    host.answers[zq::kCodeQuery].code = 3;  // refused: the text is released unread
    host.answers[zq::kCodeQuery].data = R"({"etf_fund_symbol":"510050"})";
    EXPECT_TRUE(isAllZero(etf->getEtfInfo("510050")));
}

TEST_F(EtfOptionTest, EtfConstituentsWithoutASymbolAreSkippedAndTheRestKeepTheirOrder) {
    host.answers[zq::kCodeQuery].data =
        R"([{"security_symbol":"","sample_size":100},)"
        R"({"security_symbol":"600000","sample_size":100,"cash_replace_flag":"1","deposit_ratio":0.1,)"
        R"("replace_balance":2.5,"pre_close":10.5,"high_limit_price":11.55,"low_limit_price":9.45,"suspend_flag":1},)"
        R"({"sample_size":5},)"
        R"({"security_symbol":"600004.SH.ABCDEFGHIJ","sample_size":"100","cash_replace_flag":2,"deposit_ratio":"0.1",)"
        R"("pre_close":"10.5","suspend_flag":2},)"
        R"({"security_symbol":"000001","suspend_flag":-1},{"security_symbol":"000002","suspend_flag":0}])";
    static const EtfConstituentInfo expected[] = {
        {"600000", 100, 1, 0.1, 2.5, 10.5, 11.55, 9.45, true},
        {"600004.SH.ABC", 0, 0, 0, 0, 0, 0, 0, true},
        {"000001", 0, 0, 0, 0, 0, 0, 0, false},
        {"000002", 0, 0, 0, 0, 0, 0, 0, false},
    };
    EtfConstituentList list = etf->getEtfConstituentList("510050");
    EXPECT_EQ(sentJson(), R"(2055 {"params":{"etf_fund_symbol":"510050","msg_type":2062}})");
    ASSERT_EQ(list.getSize(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(std::memcmp(&list.get(i), &expected[i], sizeof expected[i]), 0) << i;

    host.answers[zq::kCodeQuery].data = "not json";
    EXPECT_EQ(etf->getEtfConstituentList("510050").getSize(), 0);
    host.answers[zq::kCodeQuery].code = 3;  // refused: the text is released unread
    host.answers[zq::kCodeQuery].data = R"([{"security_symbol":"600000"}])";
    EXPECT_EQ(etf->getEtfConstituentList("510050").getSize(), 0);
    EXPECT_EQ(logLines(), std::vector<std::string>{"3 zqstructassembler ZqStructAssembler::assembleEtfConstituentList: "
                                                   "json解析失败：not json,illegal value"});
}

}  // namespace
