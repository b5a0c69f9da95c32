// The margin handler as the host sees it: the JSON of every request byte for
// byte, the failures logged before any request, and the answers as records
// and lists, type traps included.
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
    margin->getMarginSecurityList(nullptr, 2);
    margin->getMarginSecurityListAll();
    margin->marginCashDirectRefund(0.1, nullptr);
    margin->marginCashDirectRefund(1234567, "C-7");
    margin->getAvaliableMarginQty(qtyRequest(10, 2, 0));
    margin->getAvaliableMarginQty(qtyRequest(7, 1, 2));
    std::vector<std::string> sent, accounts;
    for (const fake::HostCall& c : host.callsTo(0)) sent.push_back(std::to_string(c.numbers[0]) + " " + c.texts[0]);
    for (const fake::HostCall& c : host.callsTo(22)) accounts.push_back(c.texts[0]);
    EXPECT_EQ(accounts, std::vector<std::string>(12, "stock_margin"));
    const std::string ask = R"( {"params":{)", account = R"("fund_account":"M-1",)", end = "}}";
    const std::string refund = R"("msg_type":2054,"push_msg_type":-1}})";
    const std::string qty = R"("msg_type":2102,"position_type":)",
                      symbol = R"(,"price_type":"0","security_symbol":"600000.SH"}})";
    EXPECT_EQ(
        sent,
        (std::vector<std::string>{
            "2055" + ask + account + R"("msg_type":2057)" + end,
            "2055" + ask + account + R"("msg_type":2056)" + end,
            "2050" + ask + R"("compactNo":"",)" + account + R"("msg_type":2063)" + end,
            "2055" + ask + account + R"("msg_type":2064)" + end,
            "2055" + ask + account + R"("msg_type":2065)" + end,
            "2055" + ask + account + R"("msg_type":2227)" + end,
            "2055" + ask + account + R"("msg_type":2088,"position_type":2)" + end,
            "2055" + ask + account + R"("msg_type":2088,"position_type":2,"security_symbol":"")" + end,
            "2053" + ask + R"("compactNo":"","finacing_debt_repayment_amount":"0.1",)" + account + refund,
            "2053" + ask + R"("compactNo":"C-7","finacing_debt_repayment_amount":"1.23457e+06",)" + account + refund,
            "2055" + ask + R"("entrust_bs":2,"entrust_price":10.25,"entrust_prop":"R3","entrust_type":"0",)" + account +
                qty + "1" + symbol,
            "2055" + ask + R"("entrust_bs":1,"entrust_price":10.25,"entrust_prop":"0","entrust_type":"7",)" + account +
                qty + "2" + symbol,
        }));
    EXPECT_TRUE(logLines().empty());
}

TEST_F(MarginTest, RequestsTheHostCannotAnswerAreRefusedBeforeAsking) {
    const std::string qty = "3 zqmarginhandler ZqMarginHandler::getAvaliableMarginQty: 查询最大可交易数量失败，原因：";
    const std::tuple<int32_t, int32_t, std::string> cases[] = {{5, 1, "非法的委托类型：5"},
                                                               {8, 1, "非法的委托类型：8"},
                                                               {11, 0, "非法的委托类型：11"},
                                                               {6, 0, "非法的交易方向：0 委托类型：6"},
                                                               {9, 3, "非法的交易方向：3 委托类型：9"}};
    for (const auto& [entrustType, side, reason] : cases) {
        clearLogs();
        EXPECT_EQ(margin->getAvaliableMarginQty(qtyRequest(entrustType, side)), 0);
        EXPECT_EQ(logLines(), std::vector<std::string>{qty + reason});
    }
    clearLogs();
    EXPECT_EQ(margin->getMarginSecurityList("600000.SH", 1).getSize(), 0);
    EXPECT_EQ(logLines(), std::vector<std::string>{"3 zqmarginhandler ZqMarginHandler::getMarginSecurityList: "
                                                   "查询可融券列表失败，目前仅支持专项可融券信息查询"});
    EXPECT_TRUE(host.callsTo(0).empty());
}

TEST_F(MarginTest, QuantitiesComeAsNumbersOrTextsAndRefundsGiveTheHostsOwnResult) {
    // The host's status, its answer, the quantity read.
    const std::tuple<int64_t, const char*, int64_t> cases[] = {
        {0, R"({"rsp_body_error_code":0,"rsp_body_data":1500})", 1500},
        {0, R"({"rsp_body_data":"1500"})", 1500},
        {0, R"({"rsp_body_error_code":3,"rsp_body_data":1500})", 0},
        {0, R"({"rsp_body_data":"many"})", 0},
        {0, "1500", 0},
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

TEST_F(MarginTest, SymbolListsKeepTheAnswersOrderAndNonTextsAsEmpty) {
    host.answers[zq::kCodeQuery].data = R"(["600000.SH",5,"000001.SZ"])";
    SymbolList financed = margin->getMarginCashStocks();
    std::vector<std::string> got;
    for (int i = 0; i < financed.getSize(); ++i) got.push_back(financed.get(i).str());
    EXPECT_EQ(got, (std::vector<std::string>{"600000.SH", "", "000001.SZ"}));
    for (const char* answer : {R"({"a":1})", "["}) {
        host.answers[zq::kCodeQuery].data = answer;
        EXPECT_EQ(margin->getMarginSecStocks().getSize(), 0) << answer;
    }
    EXPECT_TRUE(logLines().empty()) << "symbol answers are not checked for parse errors";
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
    MarginAssetRsp rsp = margin->getMarginAssetFromCounter();
    EXPECT_EQ(std::memcmp(&rsp.asset, expected.data(), sizeof rsp.asset), 0);
}

TEST_F(MarginTest, CounterAssetsCarryTheCountersCodeAndText) {
    // The host's status, its answer, the code, text and cash read.
    const std::tuple<int64_t, const char*, int32_t, std::string, double> cases[] = {
        {0, R"({"error_code":"5","error_info":"余额不足","cashAsset":7})", 5, "余额不足", 0},
        {0, R"({"error_code":5,"error_info":"x","cashAsset":7})", 0, "x", 7},
        {0, R"({"cashAsset":7})", 0, "", 7},
        {3, R"({"error_code":"0","cashAsset":7})", -1, "unknown error", 0},
    };
    for (const auto& [status, answer, code, info, cash] : cases) {
        host.answers[zq::kCodeQuery] = {status, 0, std::string(answer), 0};
        MarginAssetRsp rsp = margin->getMarginAssetFromCounter();
        MarginAsset asset{};
        asset.cash_asset = cash;
        EXPECT_EQ(std::make_tuple(rsp.error_code, std::string(rsp.error_info.str())), std::make_tuple(code, info));
        EXPECT_EQ(std::memcmp(&rsp.asset, &asset, sizeof asset), 0) << info;
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
        R"("returnDate":20240702,"compactNo":"C-00000000000000000000000000000000009"},)"
        R"({"contractType":"2","security_symbol":"000001.SZ","unReturnAmount":-0.5,"compactNo":"C-2"}]})";
    const std::string securities =
        R"("data_list":[{"security_symbol":"600000.SH","position_type":"2","security_loan_available_qty":1000.9,)"
        R"("security_loan_ratio":0.5},{"position_type":2,"security_loan_available_qty":"5","security_loan_ratio":"1"}]})";
    static const MarginContract contract[] = {
        {1, 20240102, "600000.SH.ABC", 2, 1050.5, 100, 3.5, 1.25, 20240702, "C-00000000000000000000000000000"},
        {0, 0, "000001.SZ", 0, 0, 0, 0, 0, 0, "C-2"}};
    static const MarginSecurityInfo security[] = {{1000, 0.5, 2, "600000.SH"}, {0, 0, 0, ""}};
    // The answer's head, the entries read, what is logged after the refusal's own text.
    const std::tuple<std::string, int, std::string> cases[] = {
        {R"({"error_code":"0",)", 2, ""},
        {R"({"error_code":0,"error_info":"none",)", 0, "：,none"},
        {R"({"error_code":"E1","error_info":"拒绝",)", 0, "：E1,拒绝"},
        {"{", 0, "：,"},
    };
    for (const auto& [head, count, logged] : cases) {
        SCOPED_TRACE(head);
        clearLogs();
        host.answers[zq::kCodeCreditContracts].data = head + contracts;
        host.answers[zq::kCodeQuery].data = head + securities;
        MarginContractList contracts = margin->getMarginContract(nullptr);
        MarginAccountSecurityList securities = margin->getMarginSecurityListAll();
        ASSERT_EQ(std::make_pair(contracts.getSize(), securities.getSize()), std::make_pair(count, count));
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(std::memcmp(&contracts.get(i), &contract[i], sizeof contract[i]), 0) << i;
            EXPECT_EQ(std::memcmp(&securities.marginSecurityInfo(security[i].symbol), &security[i], sizeof security[i]),
                      0);
        }
        std::vector<std::string> lines;
        if (!logged.empty()) {
            lines = {kAssembler + "assembleMarginContractList: 查询账号信用合约失败" + logged,
                     kAssembler + "assembleMarginAccountSecurityList: 查询账号可融券信息失败" + logged};
        }
        EXPECT_EQ(logLines(), lines);
    }
}

// An answer that does not parse gives the empty result and one line naming the converter.
TEST_F(MarginTest, AnswersThatDoNotParseGiveEmptyResultsAndSayWhy) {
    host.answers[zq::kCodeQuery].data = "[";
    host.answers[zq::kCodeCreditContracts].data = "[";
    EXPECT_TRUE(isAllZero(margin->getMarginAsset()));
    MarginAssetRsp rsp = margin->getMarginAssetFromCounter();
    EXPECT_EQ(std::make_tuple(rsp.error_code, std::string(rsp.error_info.str()), isAllZero(rsp.asset)),
              std::make_tuple(-1, std::string("unterminated array"), true));
    EXPECT_EQ(margin->getMarginAssureSecurityList().getSize(), 0);
    EXPECT_EQ(margin->getMarginContract(nullptr).getSize(), 0);
    EXPECT_EQ(margin->getMarginSecurityListAll().getSize(), 0);
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
