// Reference data as the host is asked for it and as its answers become
// records, the type traps of its keys included.
#include <gtest/gtest.h>

#include "bytes.h"
#include "apifixture.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"

namespace {

using fake::text;
using namespace Norq;
using ReferenceTest = fake::SysApiTest;

TEST_F(ReferenceTest, SymbolListsAskByMarketAndReadOnlyArrays) {
    // The host's answer (null: it refuses), the symbols read.
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {R"(["600000.SH","600004.SH"])", {"600000.SH", "600004.SH"}},
        {R"({"list":["600000.SH"]})", {}},
        {"not json", {}},
        {nullptr, {}}};
    for (const auto& [answer, symbols] : cases) {
        SCOPED_TRACE(answer ? answer : "(refused)");
        host.clear();
        host.answers.erase(zq::kCodeQuery);
        if (answer) host.answers[zq::kCodeQuery].data = answer;
        SymbolList list = api->getSymbolList("SH", answer ? "1" : nullptr, nullptr);
        std::vector<std::string> got;
        for (int i = 0; i < list.getSize(); ++i) got.push_back(list.get(i).str());
        EXPECT_EQ(got, symbols);
        EXPECT_EQ(sentJson(), std::string(R"(2055 {"params":{"exchange_type":"SH","msg_type":2073,)") +
                                  R"("security_sub_type":"","security_type":")" + (answer ? "1" : "") + R"("}})");
    }
    host.clear();
    EXPECT_EQ(api->getSymbolList(nullptr, "1", "2").getSize(), 0);
    expectOneError("ZqSysApi::getSymbolList", "查询标的详情失败,原因：输入市场非法");
}

TEST_F(ReferenceTest, SecurityDetailsReadEachKeyWithItsOwnType) {
    host.answers[zq::kCodeQuery].data =
        R"({"security_symbol":"600000.SH.LONGER","security_name":"浦发银行股份有限公司全称很长很长","security_brief_name":"PFYH",)"
        R"("security_type":"1","security_sub_type":"01001","LotSize":"100","st_flag":"0","LocalTotalShare":"1234.9",)"
        R"("ListedShare":5,"TickSize":"0.01","high_limit_price":"11.0","pre_close":10,"MarginTradingFlag":"1",)"
        R"("TradingPhaseCode":"3","strike_date":"20241231","put_or_call":"CALL","convert_start_date":20240101,)"
        R"("convert_price":"9.5"})";
    SecurityDetialEx ex = api->getSymbolDetialEx("600000.SH");
    EXPECT_EQ(sentJson(), R"(2055 {"params":{"msg_type":2074,"security_symbol":"600000.SH"}})");
    // The name cut in bytes, as the record holds it.
    static SecurityDetial wanted = {
        "600000.SH.LON", {},    "PFYH", 0,  0, "1",      "01001", 0, 3, 100, 1234, 0, 0.01, 11.0, 0, 0, 1, 0,
        20241231,        "CAL", "",     "", 0, 20240101, 0};
    std::memcpy(wanted.display_name, "浦发银行股份有限公司全称很长很长", 31);
    EXPECT_EQ(std::memcmp(&ex, &wanted, sizeof wanted), 0)
        << "numbers in number-text keys, and texts in number keys, read 0";
    EXPECT_TRUE(std::all_of(ex.extension, ex.extension + 256, [](uint8_t b) { return b == 0; }));
    SecurityDetial plain = api->getSymbolDetial("600000.SH");
    EXPECT_EQ(std::memcmp(&plain, &wanted, sizeof wanted), 0);

    host.answers[zq::kCodeQuery].data = R"({"LotSize":100})";
    EXPECT_EQ(api->getSymbolDetialEx("600000.SH").round_lot, 0) << "a lot size as a JSON number";
}

TEST_F(ReferenceTest, RefusedOrUnansweredDetailsKeepTheUsualLot) {
    SecurityDetialEx unknown{};
    unknown.round_lot = 100;
    for (const char* symbol : {static_cast<const char*>(nullptr), "60000"}) {
        host.clear();
        SecurityDetial detail = api->getSymbolDetial(symbol);
        EXPECT_EQ(std::memcmp(&detail, &unknown, sizeof detail), 0);
        EXPECT_TRUE(host.callsTo(0).empty());
        expectOneError("ZqSysApi::getSymbolDetialEx", "查询标的详情失败,原因：输入代码非法");
    }
    host.answers[zq::kCodeQuery] = {3, 0, std::string(R"({"LotSize":"200"})"), 0};  // refused, with a text
    SecurityDetialEx refused = api->getSymbolDetialEx("600000");
    EXPECT_EQ(std::memcmp(&refused, &unknown, sizeof unknown), 0);
    host.answers[zq::kCodeQuery] = {0, 0, std::string("[1]"), 0};
    EXPECT_TRUE(fake::isAllZero(api->getSymbolDetialEx("600000"))) << "an answer that is no object";
}

TEST_F(ReferenceTest, FutureContractsAskWithTheFuturesAccount) {
    host.accountIds["futures"] = "F-9";
    host.answers[zq::kCodeQuery].data =
        R"({"security_symbol":"IF2412","price_step":0.2,"contract_multiplier":300,"start_deliv_date":"20241220",)"
        R"("end_deliv_date":20241220,"long_margin_ratio":0.12,"margin_ratio_flag":1,"market_max_buy_qty":10,)"
        R"("max_sell_qty":"20","min_buy_qty":1.9})";
    FutureContractInfo info = api->getFutureContractInfo("IF2412", 1);
    EXPECT_EQ(sentJson(),
              R"(2055 {"params":{"fund_account":"F-9","invest_type":"1","msg_type":2094,"security_symbol":"IF2412"}})");
    static const FutureContractInfo wanted = {"IF2412", 0.2, 300, 20241220, 0, 0.12, 0, 0, 0,
                                              1,        10,  0,   0,        0, 0,    0, 0, 0};
    EXPECT_EQ(std::memcmp(&info, &wanted, sizeof wanted), 0) << "texts and fractions in integer keys read 0";

    // A symbol field holds 13 characters, though this one is 16 bytes wide.
    host.answers[zq::kCodeQuery].data = R"({"security_symbol":"IF2412.CFFEX.LONG"})";
    info = api->getFutureContractInfo("IF2412", 1);
    EXPECT_EQ(std::string(info.security_symbol, sizeof info.security_symbol), std::string("IF2412.CFFEX.\0\0\0", 16));

    // The symbol, the futures account, the line.
    const std::tuple<const char*, const char*, const char*> refusals[] = {
        {"IF24", "F-9", "查询期货合约信息失败,原因：输入代码非法"},
        {nullptr, "F-9", "查询期货合约信息失败,原因：输入代码非法"},
        {"IF2412", "", "未找到期货账号，查询期货合约信息失败"}};
    for (const auto& [symbol, futuresAccount, message] : refusals) {
        SCOPED_TRACE(symbol ? symbol : "(null)");
        host.clear();
        host.accountIds["futures"] = futuresAccount;
        EXPECT_TRUE(fake::isAllZero(api->getFutureContractInfo(symbol, 1)));
        EXPECT_TRUE(host.callsTo(0).empty());
        expectOneError("ZqSysApi::getFutureContractInfo", message);
    }
}

TEST_F(ReferenceTest, BondConversionIsAnOrderFlaggedSeven) {
    Order order = api->bondConvertToStock("110059.SH", 40, ACCOUNT_STOCK);
    zq::HostOrderRecord record = fake::recordAt<zq::HostOrderRecord>(host.callsTo(24).at(0).bytes);
    static const OrderRequest sent = {"110059.SH", 40, 1, 1.0, "1", 0, 0, 0, 0, 0, 0, {}, 0, 0};
    const std::string id = text(record.client_order_id);
    zq::HostOrderRecord expected = fake::expectedRecord(sent, id, "880001", "7");
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);
    Order wanted = fake::expectedOrder(sent, id);
    EXPECT_EQ(std::memcmp(&order, &wanted, sizeof order), 0);

    host.orderAnswer.returned = 1;
    EXPECT_TRUE(fake::isAllZero(api->bondConvertToStock("110059.SH", 40, ACCOUNT_STOCK)));
    // The symbol, the account type, the line.
    const std::tuple<const char*, AccountType, const char*> refusals[] = {
        {"110059.SH.XXXX", ACCOUNT_STOCK, "查询标的详情失败,原因：输入代码非法"},
        {nullptr, ACCOUNT_STOCK, "查询标的详情失败,原因：输入代码非法"},
        {"110059.SH", ACCOUNT_OPTION, "未找到对应的资金账号，账户类型：option"}};
    for (const auto& [symbol, type, message] : refusals) {
        SCOPED_TRACE(symbol ? symbol : "(null)");
        host.clear();
        EXPECT_TRUE(fake::isAllZero(api->bondConvertToStock(symbol, 40, type)));
        EXPECT_TRUE(host.callsTo(24).empty());
        expectOneError("ZqSysApi::bondConvertToStock", message);
    }
}

}  // namespace
