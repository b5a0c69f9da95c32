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
    struct Case {
        std::function<int64_t()> call;
        int32_t code;
        std::string json;
        int64_t result;
    } cases[] = {
        {[&] { return api->registerMsgType(10001); }, zq::kCodeMsgType,
         R"({"params":{"msg_type":"10001","op_type":1}})", 92},
        {[&] { return api->unregisterMsgType(-5); }, zq::kCodeMsgType, R"({"params":{"msg_type":"-5","op_type":0}})",
         92},
        {[&] { return api->sendInstanceId("inst-2"); }, zq::kCodeInstanceId, R"({"params":{"instance_id":"inst-2"}})",
         80},
        {[&] { return api->sendInstanceId(nullptr); }, zq::kCodeInstanceId, R"({"params":{"instance_id":""}})", 80},
        {[&] { return api->sendSymbols(three); }, zq::kCodeSymbols, R"({"params":{"security_symbol":"A;B;C"}})", 90},
        {[&] { return api->sendSymbols(none); }, zq::kCodeSymbols, R"({"params":{"security_symbol":""}})", 90},
        {[&] { return api->playSound("ding"), int64_t{0}; }, zq::kCodeFileOrSound,
         R"({"params":{"msg_type":2222,"sound_id":"ding"}})", 0},
        {[&] { return api->setInstanceRemark("备注"), int64_t{0}; }, zq::kCodeInstanceRemark,
         R"({"params":{"instance_remark":"备注"}})", 0},
        {[&] { return api->showMessageBox("t", "c", false, 300, -1); }, zq::kCodeMessageBox,
         R"({"params":{"content":"c","height":-1,"sync_flag":0,"title":"t","width":300}})", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        host.clear();
        EXPECT_EQ(c.call(), c.result);
        auto requests = host.callsTo(0);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].numbers, std::vector<int64_t>{c.code});
        EXPECT_EQ(requests[0].texts.at(0), c.json);
    }
    EXPECT_TRUE(host.logs.empty());
}

TEST_F(InstanceTest, AnswersWithTextCountOnlyWhenTheHostSucceeded) {
    struct Case {
        std::optional<std::string> data;
        int64_t code;
        std::string file;  // requestFile
        bool confirmed;    // synchronous showMessageBox
    } cases[] = {{std::string("1"), 0, "1", true},
                 {std::string("0"), 0, "0", false},
                 {std::string("yes"), 2, "", false},
                 {std::nullopt, 0, "", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data.value_or("(no text)") + " " + std::to_string(c.code));
        host.answers[zq::kCodeFileOrSound] = {c.code, 0, c.data, 0};
        host.answers[zq::kCodeMessageBox] = {c.code, 0, c.data, 0};
        EXPECT_STREQ(api->requestFile("/a/b.txt").str(), c.file.c_str());
        EXPECT_EQ(api->showMessageBox("t", "c", true, 1, 2), c.confirmed);
    }
    EXPECT_EQ(host.callsTo(0).at(0).texts.at(0), R"({"params":{"file_path":"/a/b.txt","msg_type":2221}})");
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
    EXPECT_EQ(host.callsTo(0).at(0).texts.at(0),
              R"({"params":{"instance_name":"second","run_params":{)" + accounts +
                  R"(,"period":"5"},"show_new_instance_dlg":false,"strategy_file":"/s/b.so"}})");

    host.clear();
    api->startStrategy("/s/b.so", params, nullptr, true);
    EXPECT_EQ(host.callsTo(0).at(0).texts.at(0),
              R"({"params":{"instance_name":"","run_params":{},"show_new_instance_dlg":true,"strategy_file":"/s/b.so"}})");
    EXPECT_TRUE(host.callsTo(22).empty()) << "the dialog case asks for no accounts";

    struct Case {
        const char* file;
        const char* params;
        std::string message;
    } refusals[] = {{"", "{}", "启动策略实例失败，原因：策略文件路径为空"},
                    {nullptr, "{}", "启动策略实例失败，原因：策略文件路径为空"},
                    {"/s/b.so", "[1,2]", "启动策略实例失败，原因：参数非json object格式:[1,2]"}};
    for (const Case& c : refusals) {
        host.clear();
        params.setParams(ZqString(c.params));
        EXPECT_EQ(api->startStrategy(c.file, params, "x", false), -1);
        EXPECT_TRUE(host.callsTo(0).empty());
        expectOneError("ZqSysApi::startStrategy", c.message);
    }
    host.clear();
    params.setParams(ZqString("{oops"));
    EXPECT_EQ(api->startStrategy("/s/b.so", params, "x", false), -1);
    ASSERT_EQ(host.logs.size(), 1u);
    EXPECT_TRUE(std::regex_match(host.logs[0].text, std::regex("启动策略实例失败，原因：参数解析失败:.+\\{oops")))
        << host.logs[0].text;
}

TEST_F(InstanceTest, TheCurrentTimeComesFromTheHostUnlessOperateModeIsZero) {
    const std::regex localTime(R"(\d{8} \d{2}:\d{2}:\d{2} \d{3})");
    host.answers[zq::kCodeQuery].data = "20240102 09:30:00 000";
    EXPECT_STREQ(api->getCurrentTime().str(), "20240102 09:30:00 000");
    EXPECT_EQ(host.callsTo(0).at(0).texts.at(0), R"({"params":{"msg_type":2100}})");
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
