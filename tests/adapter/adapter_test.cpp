// The adapter as the host sees it: loading, running, stopping and unloading
// real strategy libraries, and what it logs when that fails; the context and
// the SDK as such a library sees them (the context's slots: layout_test.cpp).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

#include "adapterfixture.h"
#include "norq/inorqsysapi.h"
#include "norq/izqcontext.h"
#include "zq/hostcodes.h"

namespace {

using fake::AdapterTest;
using fake::libraryPath;
using ::testing::AllOf;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const char* kTestSchema = R"({"period":{"desc":"bars","index":0,"type":"int","value":20},)"
                          R"("symbol":{"desc":"traded symbol","index":1,"type":"string","value":"600000.SH"},)"
                          R"("verbose":{"desc":"log more","index":2,"type":"bool","value":true}})";

// The schema comes from the running strategy if there is one, else from the
// library at the path; either way the library goes again.
TEST_F(AdapterTest, GetStrategyParamsReturnsTheSchemaAndUnloadsTheLibrary) {
    for (bool running : {false, true}) {
        SCOPED_TRACE(running ? "running" : "not running");
        recorder().clear();
        if (running) runTestStrategy();
        std::string schema = "untouched";
        EXPECT_EQ(adapter->GetStrategyParams(running ? "/no/such/library.so" : strategy.c_str(), schema), 0);
        EXPECT_EQ(schema, kTestSchema);
        EXPECT_EQ(recorder().slots(), running ? (std::vector<int>{1, 0}) : std::vector<int>{0});
        EXPECT_EQ(std::make_tuple(recorder().libraryLoads, recorder().libraryUnloads), std::make_tuple(1, 1));
        EXPECT_EQ(adapter->StopStrategy(), zq::kResultNoStrategy);
    }
}

// Running again keeps the library and the context but stores and inits again.
TEST_F(AdapterTest, RunStrategyCallsOnInitWithTheContextHoldingPathAndParameters) {
    host.accountIds = {{"stock", "S-1"}};
    Norq::IZqContext* context = runTestStrategy(R"({"period":"30"})");
    ASSERT_NE(context, nullptr);
    EXPECT_STREQ(context->getAccountId(Norq::ACCOUNT_STOCK).str(), "S-1");
    EXPECT_STREQ(context->getStrategyPath().str(), strategy.c_str());
    EXPECT_EQ(context->getRunParams()->getIntValue("period"), 30);
    EXPECT_EQ(adapter->RunStrategy("/other/path.so", R"({"period":"40"})"), 0);
    EXPECT_EQ(std::make_tuple(recorder().libraryLoads, recorder().handlerRequests), std::make_tuple(1, 1));
    EXPECT_EQ(recorder().slots(), (std::vector<int>{1, 1}));
    EXPECT_EQ(recorder().last(1)->context, context);
    EXPECT_STREQ(context->getStrategyPath().str(), "/other/path.so");
    EXPECT_EQ(context->getRunParams()->getIntValue("period"), 40);
}

TEST_F(AdapterTest, StopKeepsTheLibraryUntilUninitAndNotifyAndForwardReachTheStrategy) {
    Norq::IZqContext* context = runTestStrategy();
    zq::NotifyMessage message{zq::kNotify1071, nullptr};
    EXPECT_EQ(adapter->OnNotifyMessage(&message), 0);
    adapter->ForwardToStrategy(-123456789);
    EXPECT_EQ(adapter->StopStrategy(), 0);
    EXPECT_EQ(adapter->StopStrategy(), 0);
    EXPECT_EQ(recorder().slots(), (std::vector<int>{1, 2, 20, 14, 14}));
    EXPECT_EQ(recorder().last(20)->numbers, std::vector<int64_t>{-123456789});
    for (const fake::StrategyEvent& event : recorder().events) EXPECT_EQ(event.context, context) << event.slot;
    EXPECT_EQ(recorder().libraryUnloads, 0);
    EXPECT_TRUE(adapter->Uninit());
    EXPECT_EQ(recorder().libraryUnloads, 1);
    EXPECT_EQ(adapter->StopStrategy(), zq::kResultNoStrategy);
    EXPECT_EQ(adapter->OnNotifyMessage(&message), zq::kResultNoStrategy);
    adapter->ForwardToStrategy(7);
    EXPECT_EQ(recorder().events.size(), 5u);
}

struct LoadFailure {
    const char* name;
    std::string path;     // empty: a null path
    int libraryLoads;     // a library that maps stays mapped until Uninit
    int handlerRequests;  // the export is asked again on each attempt
    std::string where;    // what each attempt logs: "level file function", then the text
    ::testing::Matcher<const std::string&> text;
};

TEST_F(AdapterTest, LoadFailuresAreLoggedAndReportedAsNoStrategy) {
    const std::string missing = "/no/such/策略目录/不存在.so";
    const std::string noExport = libraryPath("teststrategy_noexport");
    const std::string nullHandler = libraryPath("teststrategy_nullhandler");
    const std::string where = " zqcxxadapter ZqCxxAdapter::LoadStrategy", load = "3" + where;
    // clang-format off
    const LoadFailure cases[] = {
        {"null path", "", 0, 0, "0" + where, "获取策略参数传入策略路径为空"},
        {"missing library", missing, 0, 0, load, AllOf(StartsWith("加载策略失败，策略文件路径：" + missing + " 错误码："),
                                                       HasSubstr("cannot open shared object file"))},
        {"no export", noExport, 1, 0, load, AllOf(StartsWith("获取策略导出函数失败，策略路径：" + noExport + " 错误码："),
                                                  HasSubstr("undefined symbol: getStrategyHandler"),
                                                  EndsWith(" 导出函数：getStrategyHandler"))},
        {"null handler", nullHandler, 1, 2, load, "获取策略句柄失败：" + nullHandler + "原因：导出函数返回值为空"},
    };
    // clang-format on
    for (const LoadFailure& c : cases) {
        SCOPED_TRACE(c.name);
        adapter->Uninit();
        host.clear();
        recorder().clear();
        const char* path = c.path.empty() ? nullptr : c.path.c_str();
        std::string schema = "untouched";
        EXPECT_EQ(adapter->GetStrategyParams(path, schema), zq::kResultNoStrategy);
        EXPECT_EQ(adapter->RunStrategy(path, "{}"), zq::kResultNoStrategy);
        EXPECT_EQ(schema, "untouched");
        ASSERT_EQ(host.logs.size(), 2u);
        for (const fake::HostLogLine& l : host.logs) {
            EXPECT_EQ(std::to_string(l.level) + " " + l.file + " " + l.function, c.where);
            EXPECT_THAT(l.text, c.text);
        }
        EXPECT_EQ(std::make_tuple(recorder().libraryLoads, recorder().handlerRequests, recorder().libraryUnloads),
                  std::make_tuple(c.libraryLoads, c.handlerRequests, 0));
        adapter->Uninit();
        EXPECT_EQ(recorder().libraryUnloads, c.libraryLoads);
    }
}

TEST_F(AdapterTest, AThrowingCallbackIsLoggedAndTheOperationCarriesOn) {
    recorder().throwInSlot = 1;
    EXPECT_EQ(adapter->RunStrategy(strategy.c_str(), "{}"), 0);
    recorder().throwInSlot = 14;
    recorder().throwUnknown = true;
    EXPECT_EQ(adapter->StopStrategy(), 0);
    recorder().throwInSlot = 0;
    std::string schema = "untouched";
    EXPECT_EQ(adapter->GetStrategyParams(strategy.c_str(), schema), 0);
    EXPECT_EQ(schema, "untouched");
    EXPECT_EQ(recorder().libraryUnloads, 1);
    std::vector<std::string> logged;
    for (const fake::HostLogLine& l : host.logs) logged.push_back(std::to_string(l.level) + " " + l.text);
    EXPECT_EQ(logged, (std::vector<std::string>{"3 策略回调抛出异常，回调：onInit 原因：boom",
                                                "3 策略回调抛出异常，回调：onStop 原因：未知异常",
                                                "3 策略回调抛出异常，回调：getParams 原因：未知异常"}));
}

TEST_F(AdapterTest, AStrategyUsesTheSdkAcrossTheLibraryBoundary) {
    runTestStrategy(R"({"symbol":"510300.SH"})");
    host.clear();
    adapter->ForwardToStrategy(1);
    const fake::StrategyEvent* event = recorder().last(20);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->texts,
              (std::vector<std::string>{"abcd", "600000.SH", "510300.SH",
                                        R"({"x":{"desc":"d","index":0,"type":"int","value":1}})", "kline_5m"}));
    ASSERT_EQ(host.logs.size(), 1u);
    const fake::HostLogLine& l = host.logs[0];
    EXPECT_EQ(std::tie(l.level, l.line, l.file, l.function, l.text),
              std::make_tuple(2, 4242, "teststrategy.cpp", "TestStrategy::exerciseSdk",
                              R"(abcd 2 1 0 510300.SH {"x":{"desc":"d","index":0,"type":"int","value":1}})"));
}

// Every code tells the strategy; only 1062 stores the parameters, missing or
// non-text members included (as empty texts). Without a strategy only a null
// text is refused.
TEST_F(AdapterTest, TheStrategyHearsOfEveryRunParamsChangeButOnly1062StoresIt) {
    EXPECT_EQ(adapter->ModifyStragetyRunningParams("not json", zq::kNotifyRunParams), 0);
    Norq::IZqContext* context = runTestStrategy(R"({"period":"5"})");
    const struct {
        const char* json;
        int32_t code;
        std::vector<std::string> heard;
        const char* kept;
    } cases[] = {
        {R"({"params":"{\"period\":\"9\"}"})", zq::kNotifyRunParamsUnkept, {R"({"period":"9"})", ""},
         R"({"period":"5"})"},
        {R"({"params":"{\"period\":\"9\"}","file_path":"/s/a.so"})", zq::kNotifyRunParams,
         {R"({"period":"9"})", "/s/a.so"}, R"({"period":"9"})"},
        {R"({"file_path":12})", zq::kNotifyRunParams, {"", ""}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        recorder().events.clear();
        EXPECT_EQ(adapter->ModifyStragetyRunningParams(c.json, c.code), 0);
        ASSERT_EQ(recorder().slots(), std::vector<int>{10});
        EXPECT_EQ(std::tie(recorder().events[0].context, recorder().events[0].texts), std::tie(context, c.heard));
        EXPECT_STREQ(context->getRunParams()->getStrategyParams().str(), c.kept);
    }
    EXPECT_TRUE(host.logs.empty());
}

TEST_F(AdapterTest, MalformedRunParamsAreLoggedAndNotPassedOn) {
    runTestStrategy();
    EXPECT_EQ(adapter->ModifyStragetyRunningParams("{\"params\":", zq::kNotifyRunParams), zq::kResultBadJson);
    EXPECT_EQ(recorder().last(10), nullptr);
    ASSERT_EQ(host.logs.size(), 1u);
    EXPECT_EQ(std::to_string(host.logs[0].level) + " " + host.logs[0].function,
              "3 ZqCxxAdapter::ModifyStragetyRunningParams");
    EXPECT_THAT(host.logs[0].text, AllOf(StartsWith("修改参数失败，原因：json解析失败，参数：{\"params\": 错误码："),
                                         HasSubstr(" 错误信息：")));
}

}  // namespace
