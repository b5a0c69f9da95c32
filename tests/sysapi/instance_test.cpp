// Strategy-instance services as the host receives them: each request's JSON
// byte for byte, the custom-message buffer, and what comes back.
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "apifixture.h"
#include "zq/hostcodes.h"

namespace {

using namespace Norq;
using InstanceTest = fake::SysApiTest;

TEST_F(InstanceTest, EachServiceSendsItsRequestAndReturnsTheHostsAnswer) {
    for (int32_t code : {zq::kCodeInstanceId, zq::kCodeSymbols, zq::kCodeMsgType})
        host.answers[code].returned = code - 2000;
    SymbolList three, none;
    for (const char* s : {"A", "B", "C"}) three.put(s);
    // The call, "code json" of its request, its result.
    const std::tuple<std::function<int64_t()>, std::string, int64_t> cases[] = {
        {[&] { return api->registerMsgType(10001); }, R"(2092 {"params":{"msg_type":"10001","op_type":1}})", 92},
        {[&] { return api->unregisterMsgType(-5); }, R"(2092 {"params":{"msg_type":"-5","op_type":0}})", 92},
        {[&] { return api->sendInstanceId("inst-2"); }, R"(2080 {"params":{"instance_id":"inst-2"}})", 80},
        {[&] { return api->sendInstanceId(nullptr); }, R"(2080 {"params":{"instance_id":""}})", 80},
        {[&] { return api->sendSymbols(three); }, R"(2090 {"params":{"security_symbol":"A;B;C"}})", 90},
        {[&] { return api->sendSymbols(none); }, R"(2090 {"params":{"security_symbol":""}})", 90},
        {[&] { return api->playSound("ding"), int64_t{0}; }, R"(2220 {"params":{"msg_type":2222,"sound_id":"ding"}})",
         0},
        {[&] { return api->setInstanceRemark("备注"), int64_t{0}; }, R"(2223 {"params":{"instance_remark":"备注"}})",
         0},
        {[&] { return api->showMessageBox("t", "c", false, 300, -1); },
         R"(2225 {"params":{"content":"c","height":-1,"sync_flag":0,"title":"t","width":300}})", 0},
        {[&] { return api->requestFile("/a/b.txt").length(); },
         R"(2220 {"params":{"file_path":"/a/b.txt","msg_type":2221}})", 0},
        {[&] { return api->getCurrentTime().length(); }, R"(2055 {"params":{"msg_type":2100}})", 21},
    };
    for (const auto& [call, json, result] : cases) {
        SCOPED_TRACE(json);
        host.clear();
        EXPECT_EQ(call(), result);
        EXPECT_EQ(sentJson(), json);
    }
    EXPECT_TRUE(host.logs.empty());
}

TEST_F(InstanceTest, AnswersWithTextCountOnlyWhenTheHostSucceeded) {
    // The answer's text, the host's code, the file read, whether a synchronous box was confirmed.
    const std::tuple<std::optional<std::string>, int64_t, std::string, bool> cases[] = {
        {std::string("1"), 0, "1", true},
        {std::string("0"), 0, "0", false},
        {std::string("yes"), 2, "", false},
        {std::nullopt, 0, "", false}};
    for (const auto& [data, code, file, confirmed] : cases) {
        SCOPED_TRACE(data.value_or("(no text)") + " " + std::to_string(code));
        host.answers[zq::kCodeFileOrSound] = host.answers[zq::kCodeMessageBox] = {code, 0, data, 0};
        EXPECT_STREQ(api->requestFile("/a/b.txt").str(), file.c_str());
        EXPECT_EQ(api->showMessageBox("t", "c", true, 1, 2), confirmed);
    }
}

TEST_F(InstanceTest, CustomMessagesGoAsOneBuffer) {
    host.answers[zq::kCodeCustomMessage].returned = 4;
    EXPECT_EQ(api->publishCustomMsg(10002, "hello"), 4);
    EXPECT_EQ(api->publishCustomMsg(7, ""), 4);
    auto buffers = host.callsTo(25);
    ASSERT_EQ(buffers.size(), 2u);
    std::vector<uint8_t> hello = {0x12, 0x27, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'h', 'e', 'l', 'l', 'o', 0};
    EXPECT_EQ(buffers[0].numbers, (std::vector<int64_t>{zq::kCodeCustomMessage, 22}));
    EXPECT_EQ(buffers[0].bytes, hello);
    EXPECT_EQ(buffers[1].numbers, (std::vector<int64_t>{zq::kCodeCustomMessage, 17}));

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
    const std::string accounts =
        R"("account_info":[{"account_type":"stock","fund_account":"S-1"},{"account_type":"futures","fund_account":"F-3"}])";
    EXPECT_EQ(sentJson(), R"(2075 {"params":{"instance_name":"second","run_params":{)" + accounts +
                              R"(,"period":"5"},"show_new_instance_dlg":false,"strategy_file":"/s/b.so"}})");

    host.clear();
    api->startStrategy("/s/b.so", params, nullptr, true);
    EXPECT_EQ(
        sentJson(),
        R"(2075 {"params":{"instance_name":"","run_params":{},"show_new_instance_dlg":true,"strategy_file":"/s/b.so"}})");
    EXPECT_TRUE(host.callsTo(22).empty()) << "the dialog case asks for no accounts";

    const std::string refused = "启动策略实例失败，原因：";
    // The file, the parameters, the line as a pattern: Qt's own words come after a parse failure.
    const std::tuple<const char*, const char*, std::string> refusals[] = {
        {"", "{}", refused + "策略文件路径为空"},
        {nullptr, "{}", refused + "策略文件路径为空"},
        {"/s/b.so", "[1,2]", refused + "参数非json object格式:\\[1,2\\]"},
        {"/s/b.so", "{oops", refused + "参数解析失败:.+\\{oops"}};
    for (const auto& [file, text, message] : refusals) {
        SCOPED_TRACE(text);
        host.clear();
        params.setParams(ZqString(text));
        EXPECT_EQ(api->startStrategy(file, params, "x", false), -1);
        EXPECT_TRUE(host.callsTo(0).empty());
        ASSERT_EQ(host.logs.size(), 1u);
        EXPECT_EQ(std::make_tuple(host.logs[0].level, host.logs[0].file, host.logs[0].function),
                  std::make_tuple(3, std::string("zqsysapi"), std::string("ZqSysApi::startStrategy")));
        EXPECT_TRUE(std::regex_match(host.logs[0].text, std::regex(message))) << host.logs[0].text;
    }
}

TEST_F(InstanceTest, TheCurrentTimeComesFromTheHostUnlessOperateModeIsZero) {
    const std::regex localTime(R"(\d{8} \d{2}:\d{2}:\d{2} \d{3})");
    host.answers[zq::kCodeQuery].data = "20240102 09:30:00 000";
    EXPECT_STREQ(api->getCurrentTime().str(), "20240102 09:30:00 000");
    host.answers[zq::kCodeQuery].code = 1;
    EXPECT_TRUE(std::regex_match(api->getCurrentTime().str(), localTime)) << "refused: the local time";

    adapter->RunStrategy(strategy.c_str(), R"({"operate_mode":"0"})");
    host.clear();
    EXPECT_TRUE(std::regex_match(api->getCurrentTime().str(), localTime));
    EXPECT_TRUE(host.callsTo(0).empty());
}

TEST_F(InstanceTest, PassThroughsReachTheHostUnchanged) {
    host.forwardResult = -9;
    host.textForHost = "从主机";
    EXPECT_EQ(api->passToHost(INTPTR_MAX), -9);
    EXPECT_STREQ(api->getTextFromHost(3, -4, true).str(), "从主机");
    EXPECT_EQ(host.callsTo(28).at(0).numbers, (std::vector<int64_t>{INTPTR_MAX, 0}));
    EXPECT_EQ(host.callsTo(29).at(0).numbers, (std::vector<int64_t>{3, -4, 1}));
}

}  // namespace
