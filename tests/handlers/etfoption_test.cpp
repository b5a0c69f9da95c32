// The ETF and option handlers as the host sees them: each order one 240-byte
// record under its operation's own code, ETF queries and their answers.
#include <gtest/gtest.h>

#include <functional>

#include "bytes.h"
#include "apifixture.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"

namespace {

using fake::isAllZero;
using namespace Norq;
using EtfOptionTest = fake::HandlerTest;

TEST_F(EtfOptionTest, EachOrderReachesTheHostAsOneRecordUnderItsOwnCode) {
    const char* wide = "510050.SH.ABCDEFGHIJ";
    const std::tuple<std::function<Order()>, int32_t, const char*, const char*, OrderRequest> cases[] = {
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
    for (const auto& [call, code, account, flag, request] : cases) {
        SCOPED_TRACE(code);
        host.clear();
        host.answers[code] = {};
        Order order = call();
        auto sent = host.callsTo(25);
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].numbers, (std::vector<int64_t>{code, 240}));
        zq::HostOrderRecord record = fake::recordAt<zq::HostOrderRecord>(sent[0].bytes);
        std::string id = fake::text(record.client_order_id);
        zq::HostOrderRecord expected = fake::expectedRecord(request, id, account, flag);
        EXPECT_EQ(std::memcmp(&record, &expected, sizeof expected), 0) << "the record differs";
        Order wanted = fake::expectedOrder(request, id);
        EXPECT_EQ(std::memcmp(&order, &wanted, sizeof order), 0) << "the returned order differs";
    }
}

TEST_F(EtfOptionTest, EtfInformationReadsEachKeyWithItsOwnType) {
    host.answers[zq::kCodeQuery].data =
        R"({"etf_fund_symbol":"510050.SH.ABCDEFGHIJ","etf_symbol":"510051.SH.ABCDEFGHIJ","report_unit":900000,)"
        R"("cash_balance":"1234.5","max_cash_ratio":0.5,"pre_cash_componet":"-12.25","nav_percu":"3.125",)"
        R"("nav_pre":"2.5","allot_max":12.9,"redeem_max":-12.9,"etf_type":"1","etf_status":"2"})";
    // Static, so the padding of the expected record is zero.
    static const EtfInfo expected = {
        "510050.SH.ABC", "510051.SH.ABC", 900000, 1234.5, 0.5, -12.25, 3.125, 2.5, 12, -12, 1, 2};
    EtfInfo info = etf->getEtfInfo("510050");
    EXPECT_EQ(std::memcmp(&info, &expected, sizeof info), 0);
    EXPECT_EQ(sentJson(), R"(2055 {"params":{"etf_fund_symbol":"510050","msg_type":2061}})");
    // An empty fund symbol is the host's way of saying it knows no such ETF.
    host.answers[zq::kCodeQuery].data = R"({"etf_fund_symbol":"","etf_symbol":"510051","report_unit":900000})";
    EXPECT_TRUE(isAllZero(etf->getEtfInfo("510050")));
    EXPECT_TRUE(logLines().empty());
    host.answers[zq::kCodeQuery].data = R"({"etf_fund_symbol":"5","report_unit":9})";  // a symbol all the same
    EXPECT_EQ(etf->getEtfInfo("510050").report_unit, 9);
}

TEST_F(EtfOptionTest, EtfConstituentsWithoutASymbolAreSkippedAndTheRestKeepTheirOrder) {
    host.answers[zq::kCodeQuery].data =
        R"([{"security_symbol":"","sample_size":100},{"sample_size":5},)"
        R"({"security_symbol":"600000.SH.ABCDEFGHIJ","sample_size":100,"cash_replace_flag":"1","deposit_ratio":0.1,)"
        R"("replace_balance":2.5,"pre_close":10.5,"high_limit_price":11.55,"low_limit_price":9.45,"suspend_flag":1},)"
        R"({"security_symbol":"2","suspend_flag":0}])";
    static const EtfConstituentInfo expected[] = {{"600000.SH.ABC", 100, 1, 0.1, 2.5, 10.5, 11.55, 9.45, true},
                                                  {"2", 0, 0, 0, 0, 0, 0, 0, false}};
    EtfConstituentList list = etf->getEtfConstituentList("510050");
    EXPECT_EQ(sentJson(), R"(2055 {"params":{"etf_fund_symbol":"510050","msg_type":2062}})");
    ASSERT_EQ(list.getSize(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(std::memcmp(&list.get(i), &expected[i], sizeof expected[i]), 0) << i;
    EXPECT_TRUE(logLines().empty());
}

}  // namespace
