// Instance services and reference data as the host receives them (each JSON
// request byte for byte, buffers, the bond order) and what comes back.
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "apifixture.h"
#include "bytes.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"

namespace {

using fake::text;
using namespace Norq;
using InstanceTest = fake::SysApiTest;
using ReferenceTest = fake::SysApiTest;

TEST_F(InstanceTest, EachServiceSendsItsRequestAndReturnsTheHostsAnswer) {
    for (int32_t code : {zq::kCodeInstanceId, zq::kCodeSymbols, zq::kCodeMsgType})
        host.answers[code].returned = code - 2000;
    SymbolList three;
    for (const char* s : {"A", "B", "C"}) three.put(s);
    // The call, "code json" of its request, its result.
    const std::tuple<std::function<int64_t()>, std::string, int64_t> cases[] = {
        {[&] { return api->registerMsgType(10001); }, R"(2092 {"params":{"msg_type":"10001","op_type":1}})", 92},
        {[&] { return api->unregisterMsgType(-5); }, R"(2092 {"params":{"msg_type":"-5","op_type":0}})", 92},
        {[&] { return api->sendInstanceId(nullptr); }, R"(2080 {"params":{"instance_id":""}})", 80},
        {[&] { return api->sendSymbols(three); }, R"(2090 {"params":{"security_symbol":"A;B;C"}})", 90},
        {[&] { return api->playSound("ding"), 0; }, R"(2220 {"params":{"msg_type":2222,"sound_id":"ding"}})", 0},
        {[&] { return api->setInstanceRemark("备注"), 0; }, R"(2223 {"params":{"instance_remark":"备注"}})", 0},
        {[&] { return api->showMessageBox("t", "c", false, 300, -1); },
         R"(2225 {"params":{"content":"c","height":-1,"sync_flag":0,"title":"t","width":300}})", 0},
        {[&] { return api->requestFile("/a/b.txt").length(); },
         R"(2220 {"params":{"file_path":"/a/b.txt","msg_type":2221}})", 0},
    };
    for (const auto& [call, json, result] : cases) {
        SCOPED_TRACE(json);
        host.clear();
        EXPECT_EQ(call(), result);
        EXPECT_EQ(sentJson(), json);
    }
}

TEST_F(InstanceTest, AnswersWithTextCountOnlyWhenTheHostSucceeded) {
    // The answer's text, the host's code, the file read, whether a synchronous box was confirmed.
    const std::tuple<std::optional<std::string>, int64_t, std::string, bool> cases[] = {
        {"1", 0, "1", true}, {"0", 0, "0", false}, {"yes", 2, "", false}, {std::nullopt, 0, "", false}};
    for (const auto& [data, code, file, confirmed] : cases) {
        SCOPED_TRACE(data.value_or("(no text)") + " " + std::to_string(code));
        host.answers[zq::kCodeFileOrSound] = host.answers[zq::kCodeMessageBox] = {code, 0, data, 0};
        EXPECT_STREQ(api->requestFile("/a/b.txt").str(), file.c_str());
        EXPECT_EQ(api->showMessageBox("t", "c", true, 1, 2), confirmed);
    }
    EXPECT_EQ(host.callsTo(0).back().texts.at(0),
              R"({"params":{"content":"c","height":2,"sync_flag":1,"title":"t","width":1}})");
}

TEST_F(InstanceTest, CustomMessagesGoAsOneBuffer) {
    host.answers[zq::kCodeCustomMessage].returned = 4;
    EXPECT_EQ(api->publishCustomMsg(10002, "hello"), 4);
    std::vector<uint8_t> hello = {0x12, 0x27, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'h', 'e', 'l', 'l', 'o', 0};
    EXPECT_EQ(host.callsTo(25).at(0).numbers, (std::vector<int64_t>{zq::kCodeCustomMessage, 22}));
    EXPECT_EQ(host.callsTo(25).at(0).bytes, hello);

    host.clear();
    EXPECT_EQ(api->publishCustomMsg(7, nullptr), -1);
    EXPECT_TRUE(host.callsTo(25).empty());
    expectOneError("ZqSysApi::publishCustomMsg", "发布自定义消息失败,原因：消息体为空指针");
}

TEST_F(InstanceTest, NewInstancesCarryTheirParametersAndTheAccountsFound) {
    host.accountIds = {{"stock", "S-1"}, {"futures", "F-3"}};
    host.answers[zq::kCodeStartStrategy].returned = 0;
    StrategyParams params;
    params.setParams(ZqString(R"({"period":"5"})"));
    EXPECT_EQ(api->startStrategy("/s/b.so", params, "second", false), 0);
    EXPECT_EQ(sentJson(), R"(2075 {"params":{"instance_name":"second","run_params":{"account_info":[{"account_type":)"
                          R"("stock","fund_account":"S-1"},{"account_type":"futures","fund_account":"F-3"}],)"
                          R"("period":"5"},"show_new_instance_dlg":false,"strategy_file":"/s/b.so"}})");

    host.clear();
    api->startStrategy("/s/b.so", params, nullptr, true);
    EXPECT_EQ(
        sentJson(),
        R"(2075 {"params":{"instance_name":"","run_params":{},"show_new_instance_dlg":true,"strategy_file":"/s/b.so"}})");

    const std::string refused = "启动策略实例失败，原因：";
    // The file, the parameters, the line as a pattern: Qt's own words come after a parse failure.
    const std::tuple<const char*, const char*, std::string> refusals[] = {
        {"", "{}", refused + "策略文件路径为空"},
        {"/s/b.so", "[1,2]", refused + "参数非json object格式:\\[1,2\\]"},
        {"/s/b.so", "{oops", refused + "参数解析失败:.+\\{oops"}};
    for (const auto& [file, text, message] : refusals) {
        SCOPED_TRACE(text);
        host.clear();
        params.setParams(ZqString(text));
        EXPECT_EQ(api->startStrategy(file, params, "x", false), -1);
        ASSERT_EQ(logLines().size(), 1u);
        EXPECT_TRUE(std::regex_match(logLines()[0], std::regex("3 zqsysapi ZqSysApi::startStrategy: " + message)))
            << logLines()[0];
    }
}

TEST_F(InstanceTest, TheCurrentTimeComesFromTheHostUnlessOperateModeIsZero) {
    host.answers[zq::kCodeQuery].data = "20240102 09:30:00 000";
    EXPECT_STREQ(api->getCurrentTime().str(), "20240102 09:30:00 000");
    EXPECT_EQ(sentJson(), R"(2055 {"params":{"msg_type":2100}})");

    adapter->RunStrategy(strategy.c_str(), R"({"operate_mode":"0"})");
    host.clear();
    EXPECT_TRUE(std::regex_match(api->getCurrentTime().str(), std::regex(R"(\d{8} \d{2}:\d{2}:\d{2} \d{3})")));
    EXPECT_TRUE(host.callsTo(0).empty());
}

TEST_F(ReferenceTest, SymbolListsAskByMarketAndReadOnlyArrays) {
    host.answers[zq::kCodeQuery].data = R"(["600000.SH","600004.SH"])";
    SymbolList list = api->getSymbolList("SH", "1", nullptr);
    EXPECT_EQ(sentJson(),
              R"(2055 {"params":{"exchange_type":"SH","msg_type":2073,"security_sub_type":"","security_type":"1"}})");
    ASSERT_EQ(list.getSize(), 2);
    EXPECT_EQ(std::string(list.get(0).str()) + " " + list.get(1).str(), "600000.SH 600004.SH");
    host.answers[zq::kCodeQuery] = {1, 0, std::string(R"(["600000.SH"])"), 0};
    EXPECT_EQ(api->getSymbolList("SH", "1", nullptr).getSize(), 0) << "refused, with a text";
    host.clear();
    EXPECT_EQ(api->getSymbolList(nullptr, "1", "2").getSize(), 0);
    expectOneError("ZqSysApi::getSymbolList", "查询标的详情失败,原因：输入市场非法");
}

// Refused or unanswered, a detail keeps the usual lot.
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

    host.clear();
    SecurityDetialEx unknown{};
    unknown.round_lot = 100;
    SecurityDetial detail = api->getSymbolDetial(nullptr);
    EXPECT_EQ(std::memcmp(&detail, &unknown, sizeof detail), 0);
    EXPECT_TRUE(host.callsTo(0).empty());
    expectOneError("ZqSysApi::getSymbolDetialEx", "查询标的详情失败,原因：输入代码非法");
    host.answers[zq::kCodeQuery] = {3, 0, std::string(R"({"LotSize":"200"})"), 0};  // refused, with a text
    SecurityDetialEx refused = api->getSymbolDetialEx("600000");
    EXPECT_EQ(std::memcmp(&refused, &unknown, sizeof unknown), 0);
}

TEST_F(ReferenceTest, FutureContractsAskWithTheFuturesAccount) {
    host.accountIds["futures"] = "F-9";
    host.answers[zq::kCodeQuery].data = R"({"security_symbol":"IF2412","contract_multiplier":300,"price_step":0.2})";
    FutureContractInfo info = api->getFutureContractInfo("IF2412", 1);
    EXPECT_EQ(sentJson(),
              R"(2055 {"params":{"fund_account":"F-9","invest_type":"1","msg_type":2094,"security_symbol":"IF2412"}})");
    EXPECT_EQ(std::make_tuple(text(info.security_symbol), info.contract_multiplier, info.price_step),
              std::make_tuple("IF2412", 300, 0.2));
    host.clear();
    EXPECT_TRUE(fake::isAllZero(api->getFutureContractInfo("IF24", 1)));
    expectOneError("ZqSysApi::getFutureContractInfo", "查询期货合约信息失败,原因：输入代码非法");
    host.clear();
    host.accountIds["futures"] = "";
    EXPECT_TRUE(fake::isAllZero(api->getFutureContractInfo("IF2412", 1)));
    EXPECT_TRUE(host.callsTo(0).empty());
    expectOneError("ZqSysApi::getFutureContractInfo", "未找到期货账号，查询期货合约信息失败");
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

    host.clear();
    EXPECT_TRUE(fake::isAllZero(api->bondConvertToStock("110059.SH.XXXX", 40, ACCOUNT_STOCK)));
    expectOneError("ZqSysApi::bondConvertToStock", "查询标的详情失败,原因：输入代码非法");
    host.clear();
    EXPECT_TRUE(fake::isAllZero(api->bondConvertToStock("110059.SH", 40, ACCOUNT_OPTION)));
    EXPECT_TRUE(host.callsTo(24).empty());
    expectOneError("ZqSysApi::bondConvertToStock", "未找到对应的资金账号，账户类型：option");
}

}  // namespace
