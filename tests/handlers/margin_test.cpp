// The margin handler as the host sees it: requests byte for byte, failures
// logged before asking, answers as records and lists.
#include <gtest/gtest.h>

#include <sstream>

#include "bytes.h"
#include "apifixture.h"
#include "zq/hostcodes.h"

namespace {

using fake::isAllZero;
using namespace Norq;
using MarginTest = fake::HandlerTest;

const std::string kAssembler = "3 zqstructassembler ZqStructAssembler::";

MarginQtyRequest qtyRequest(int32_t entrustType, int32_t side = 1, int32_t positionType = 0) {
    return MarginQtyRequest{"600000.SH", side, 10.25, "0", entrustType, positionType};
}

TEST_F(MarginTest, EveryRequestNamesTheCreditAccountAndItsMessageType) {
    margin->getMarginCashStocks();
    margin->getMarginSecStocks();
    margin->getMarginContract(nullptr);
    margin->getMarginAsset();
    margin->getMarginAssureSecurityList();
    margin->getMarginAssetFromCounter();
    margin->getMarginSecurityListAll();
    margin->marginCashDirectRefund(1234567, "C-7");
    margin->getAvaliableMarginQty(qtyRequest(10, 2, 0));
    margin->getAvaliableMarginQty(qtyRequest(7, 1, 2));
    std::vector<std::string> sent;
    for (const fake::HostCall& c : host.callsTo(0)) sent.push_back(std::to_string(c.numbers[0]) + " " + c.texts[0]);
    const std::string ask = R"( {"params":{)", account = R"("fund_account":"M-1",)";
    auto query = [&](const std::string& rest) { return "2055" + ask + account + R"("msg_type":)" + rest + "}}"; };
    auto qty = [&](const char* order, const char* position) {
        return "2055" + ask + order + account + R"("msg_type":2102,"position_type":)" + position +
               R"(,"price_type":"0","security_symbol":"600000.SH"}})";
    };
    EXPECT_EQ(sent,
              (std::vector<std::string>{
                  query("2057"), query("2056"), "2050" + ask + R"("compactNo":"",)" + account + R"("msg_type":2063}})",
                  query("2064"), query("2065"), query("2227"), query(R"(2088,"position_type":2,"security_symbol":"")"),
                  "2053" + ask + R"("compactNo":"C-7","finacing_debt_repayment_amount":"1.23457e+06",)" + account +
                      R"("msg_type":2054,"push_msg_type":-1}})",
                  qty(R"("entrust_bs":2,"entrust_price":10.25,"entrust_prop":"R3","entrust_type":"0",)", "1"),
                  qty(R"("entrust_bs":1,"entrust_price":10.25,"entrust_prop":"0","entrust_type":"7",)", "2")}));
    EXPECT_TRUE(logLines().empty());
}

TEST_F(MarginTest, RequestsTheHostCannotAnswerAreRefusedBeforeAsking) {
    EXPECT_EQ(margin->getAvaliableMarginQty(qtyRequest(8, 1)), 0);
    EXPECT_EQ(margin->getAvaliableMarginQty(qtyRequest(6, 3)), 0);
    EXPECT_EQ(margin->getMarginSecurityList("600000.SH", 1).getSize(), 0);
    const std::string line = "3 zqmarginhandler ZqMarginHandler::",
                      qty = line + "getAvaliableMarginQty: 查询最大可交易数量失败，原因：非法的";
    EXPECT_EQ(logLines(), (std::vector<std::string>{
                              qty + "委托类型：8", qty + "交易方向：3 委托类型：6",
                              line + "getMarginSecurityList: 查询可融券列表失败，目前仅支持专项可融券信息查询"}));
    EXPECT_TRUE(host.callsTo(0).empty());
}

TEST_F(MarginTest, QuantitiesComeAsNumbersOrTextsAndRefundsGiveTheHostsOwnResult) {
    const std::tuple<int64_t, const char*, int64_t> cases[] = {
        {0, R"({"rsp_body_data":"1500"})", 1500},
        {0, R"({"rsp_body_error_code":3,"rsp_body_data":1500})", 0},
        {3, R"({"rsp_body_data":1500})", 0}};
    for (const auto& [status, answer, quantity] : cases) {
        host.answers[zq::kCodeQuery] = {status, 0, std::string(answer), 0};
        EXPECT_EQ(margin->getAvaliableMarginQty(qtyRequest(9)), quantity) << answer;
    }
    host.answers[zq::kCodeTrade] = {5, 0, std::string("ignored"), 0};
    EXPECT_EQ(margin->marginCashDirectRefund(100, nullptr), 0);
    host.answers[zq::kCodeTrade] = {0, 0, std::nullopt, 7};
    EXPECT_EQ(margin->marginCashDirectRefund(100, nullptr), 7);
    EXPECT_TRUE(logLines().empty());
}

// Symbol answers are not checked for parse errors: one that is no array holds none.
TEST_F(MarginTest, SymbolListsKeepTheAnswersOrderAndNonTextsAsEmpty) {
    host.answers[zq::kCodeQuery].data = R"(["600000.SH",5,"000001.SZ"])";
    SymbolList financed = margin->getMarginCashStocks();
    std::vector<std::string> got;
    for (int i = 0; i < financed.getSize(); ++i) got.push_back(financed.get(i).str());
    EXPECT_EQ(got, (std::vector<std::string>{"600000.SH", "", "000001.SZ"}));
    host.answers[zq::kCodeQuery].data = "[";
    EXPECT_EQ(margin->getMarginSecStocks().getSize(), 0);
    EXPECT_TRUE(logLines().empty());
}

TEST_F(MarginTest, AssetsFillTheRecordInOrderFromTheirCamelCaseKeys) {
    // In the record's order; each field gets its position plus one, and
    // "netAsset" comes as a text, which reads 0.
    std::istringstream keys(
        "cashAsset securityMarketValue assureAsset totalLiability maintainValue availableMargin occupyMargin "
        "collateralAvailableFund financeAvailableFund securityAvailableFund cashAvailableFund financeQuotaCapacity "
        "financeAvailableQuota financeOccupyQuota financeOccupyMargin financeCompactMoney financeCompactCommission "
        "financeCompactInterest financeMarketValue financeCompactRevenue securityLoanQuotaCapacity "
        "securityLoanAvailableQuota securityLoanOccupyQuota securityLoanOccupyMargin securityLoanCompactMoney "
        "securityLoanCompactCommission securityLoanCompactInterest securityLoanMarketValue securityLoanCompactRevenue "
        "transferAsset compactTotalInterest netAsset withdrawQuota securityLoanSellBalance");
    std::string answer = R"({"error_code":"0")", key;
    std::vector<double> expected;
    while (keys >> key) {
        expected.push_back(key == "netAsset" ? 0 : expected.size() + 1);
        answer += ",\"" + key + "\":" + (key == "netAsset" ? "\"32\"" : std::to_string(expected.size()));
    }
    ASSERT_EQ(expected.size() * sizeof(double), sizeof(MarginAsset));
    host.answers[zq::kCodeQuery].data = answer + "}";
    MarginAsset asset = margin->getMarginAsset();
    EXPECT_EQ(std::memcmp(&asset, expected.data(), sizeof asset), 0);
}

TEST_F(MarginTest, CounterAssetsCarryTheCountersCodeAndText) {
    const std::tuple<int64_t, const char*, int32_t, std::string, double> cases[] = {
        {0, R"({"error_code":"5","error_info":"余额不足","cashAsset":7})", 5, "余额不足", 0},
        {0, R"({"error_code":5,"error_info":"x","cashAsset":7})", 0, "x", 7},
        {3, R"({"error_code":"0","cashAsset":7})", -1, "unknown error", 0},
    };
    for (const auto& [status, answer, code, info, cash] : cases) {
        host.answers[zq::kCodeQuery] = {status, 0, std::string(answer), 0};
        MarginAssetRsp rsp = margin->getMarginAssetFromCounter();
        MarginAsset asset{};
        asset.cash_asset = cash;
        EXPECT_EQ(std::make_tuple(rsp.error_code, std::string(rsp.error_info.str()), 0),
                  std::make_tuple(code, info, std::memcmp(&rsp.asset, &asset, sizeof asset)));
    }
    EXPECT_TRUE(logLines().empty());
}

// Keyed lists order their entries by hash, so entries are found by symbol.
TEST_F(MarginTest, CollateralRatiosAreKeptBySymbol) {
    host.answers[zq::kCodeQuery].data = R"({"600004.SH":0.6,"600000.SH":"0.7","000001.SZ":0.5})";
    MarginAssureSecurityList list = margin->getMarginAssureSecurityList();
    EXPECT_EQ(std::make_tuple(list.getSize(), list.discountRatio("000001.SZ"), list.discountRatio("600000.SH"),
                              list.discountRatio("600004.SH")),
              std::make_tuple(3, 0.5, 0.0, 0.6));
}

TEST_F(MarginTest, ContractsAndLendableSecuritiesAreReadOnlyWhenTheCodeIsTheTextZero) {
    const std::string contracts =
        R"("data_list":[{"contractType":1,"openDate":20240102,"security_symbol":"600000.SH.ABCDEFGHIJ",)"
        R"("positionType":2,"unReturnAsset":1050.5,"unReturnAmount":100.9,"unReturnInterest":3.5,"unReturnFee":1.25,)"
        R"("returnDate":20240702,"compactNo":"C-00000000000000000000000000000000009"}]})";
    const std::string securities =
        R"("data_list":[{"security_symbol":"600000.SH","position_type":"2","security_loan_available_qty":1000.9,)"
        R"("security_loan_ratio":0.5}]})";
    static const MarginContract contract = {
        1, 20240102, "600000.SH.ABC", 2, 1050.5, 100, 3.5, 1.25, 20240702, "C-00000000000000000000000000000"};
    static const MarginSecurityInfo security = {1000, 0.5, 2, "600000.SH"};
    host.answers[zq::kCodeCreditContracts].data = R"({"error_code":"0",)" + contracts;
    host.answers[zq::kCodeQuery].data = R"({"error_code":"0",)" + securities;
    MarginContractList read = margin->getMarginContract(nullptr);
    MarginAccountSecurityList lendable = margin->getMarginSecurityListAll();
    ASSERT_EQ(std::make_pair(read.getSize(), lendable.getSize()), std::make_pair(1, 1));
    EXPECT_EQ(std::memcmp(&read.get(0), &contract, sizeof contract), 0);
    EXPECT_EQ(std::memcmp(&lendable.marginSecurityInfo("600000.SH"), &security, sizeof security), 0);
    EXPECT_TRUE(logLines().empty());
    // A code that is a number is the host's refusal too, logged with its text.
    host.answers[zq::kCodeCreditContracts].data = R"({"error_code":0,"error_info":"none",)" + contracts;
    host.answers[zq::kCodeQuery].data = R"({"error_code":0,"error_info":"none",)" + securities;
    EXPECT_EQ(
        (std::vector<int>{margin->getMarginContract(nullptr).getSize(), margin->getMarginSecurityListAll().getSize()}),
        (std::vector<int>{0, 0}));
    EXPECT_EQ(logLines(), (std::vector<std::string>{
                              kAssembler + "assembleMarginContractList: 查询账号信用合约失败：,none",
                              kAssembler + "assembleMarginAccountSecurityList: 查询账号可融券信息失败：,none"}));
}

// An answer that does not parse gives the empty result and one line naming the converter.
TEST_F(MarginTest, AnswersThatDoNotParseGiveEmptyResultsAndSayWhy) {
    host.answers[zq::kCodeQuery].data = host.answers[zq::kCodeCreditContracts].data = "[";
    EXPECT_TRUE(isAllZero(margin->getMarginAsset()));
    MarginAssetRsp rsp = margin->getMarginAssetFromCounter();
    EXPECT_EQ(std::make_tuple(rsp.error_code, std::string(rsp.error_info.str()), isAllZero(rsp.asset)),
              std::make_tuple(-1, std::string("unterminated array"), true));
    EXPECT_EQ(
        (std::vector<int>{margin->getMarginAssureSecurityList().getSize(), margin->getMarginContract(nullptr).getSize(),
                          margin->getMarginSecurityListAll().getSize()}),
        std::vector<int>(3, 0));
    EXPECT_TRUE(isAllZero(etf->getEtfInfo("510050")));
    EXPECT_EQ(etf->getEtfConstituentList("510050").getSize(), 0);
    std::vector<std::string> lines;
    for (const char* function : {"assembleMarginAsset", "assembleMarginAssetRsp", "assembleMarginAssureSecurityList",
                                 "assembleMarginContractList", "assembleMarginAccountSecurityList", "assembleEtfInfo",
                                 "assembleEtfConstituentList"})
        lines.push_back(kAssembler + function + ": json解析失败：[,unterminated array");
    EXPECT_EQ(logLines(), lines);
}

}  // namespace
