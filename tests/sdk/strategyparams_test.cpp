// Strategy parameters: the schema the host receives, the checks before an
// instance starts, and reading back the values the user chose.
#include <gtest/gtest.h>

#include "adapterfixture.h"
#include "logcapture.h"
#include "norq/strategyparams.h"

namespace {

using Norq::StrategyParams;

std::string schemaOf(StrategyParams& params) {
    return params.getStrategyParams().str();
}

TEST(StrategyParamsSchema, EachTypeSerialisesCompactlyAndNamelessOnesAreDropped) {
    struct Case {
        void (*add)(StrategyParams&);
        const char* json;
    } cases[] = {
        {[](StrategyParams&) {}, "{}"},
        {[](StrategyParams& p) {
             p.addIntParam("", 1, "d");
             p.addStrParam(nullptr, "v", "d");
             p.addListParam("", "a,b", 0, "d");
         },
         "{}"},
        {[](StrategyParams& p) { p.addIntParam("p", 5, "d"); },
         R"({"p":{"desc":"d","index":0,"type":"int","value":5}})"},
        {[](StrategyParams& p) { p.addFloatParam("f", 1.5, "ratio"); },
         R"({"f":{"desc":"ratio","index":0,"type":"float","value":1.5}})"},
        {[](StrategyParams& p) { p.addBoolParam("b", false, nullptr); },
         R"({"b":{"desc":"","index":0,"type":"bool","value":false}})"},
        {[](StrategyParams& p) { p.addStrParam("s", "600000.SH", "代码"); },
         R"({"s":{"desc":"代码","index":0,"type":"string","value":"600000.SH"}})"},
        {[](StrategyParams& p) { p.addStrParam("s", nullptr, "d"); },
         R"({"s":{"desc":"d","index":0,"type":"string","value":""}})"},
        {[](StrategyParams& p) { p.addListParam("l", "a,,b", 1, "d"); },
         R"({"l":{"default_index":1,"desc":"d","index":0,"type":"list","value":["a","","b"]}})"},
        {[](StrategyParams& p) { p.addListParam("l", "", 0, "d"); },
         R"({"l":{"default_index":0,"desc":"d","index":0,"type":"list","value":[""]}})"},
        {[](StrategyParams& p) { p.addTableParam("t", "c1,c2;1,2", "grid"); },
         R"({"t":{"desc":"grid","index":0,"type":"table","value":"c1,c2;1,2"}})"},
    };
    for (const Case& c : cases) {
        StrategyParams params;
        c.add(params);
        EXPECT_EQ(schemaOf(params), c.json);
    }
}

TEST(StrategyParamsSchema, IndexRecordsDeclarationOrderAndTheLastDuplicateWins) {
    StrategyParams params;
    params.addIntParam("zeta", 1, "first");
    params.addIntParam("alpha", 2, "second");
    params.addIntParam("zeta", 3, "third");
    EXPECT_EQ(schemaOf(params), R"({"alpha":{"desc":"second","index":1,"type":"int","value":2},)"
                                R"("zeta":{"desc":"third","index":2,"type":"int","value":3}})");
}

TEST(StrategyParamsSchema, DefinitionsAreConsumedByBuilding) {
    StrategyParams params;
    params.addIntParam("a", 1, "");
    std::string first = schemaOf(params);
    EXPECT_EQ(schemaOf(params), first);
    params.addBoolParam("b", true, "");
    EXPECT_EQ(schemaOf(params), R"({"b":{"desc":"","index":0,"type":"bool","value":true}})");
}

class StrategyParamsValues : public fake::AdapterTest {
protected:
    void SetUp() override {
        AdapterTest::SetUp();
        params.setParams(Norq::ZqString(R"({"n":"12","m":12,"s":"abc","o":{"x":1,"a":[true]},"z":"0","f":"2.5e1"})"));
    }
    std::vector<std::string> loggedTexts() const {
        std::vector<std::string> texts;
        for (const fake::PlatformRecord& r : capture.platform) texts.push_back(r.text);
        return texts;
    }
    StrategyParams params;
    fake::LogCapture capture;
};

TEST_F(StrategyParamsValues, EachValueReadsAsEveryTypeFromItsText) {
    struct Case {
        const char* key;
        int asInt;
        double asFloat;
        bool asBool;
        const char* asText;
    } cases[] = {
        {"n", 12, 12.0, true, "12"},
        {"z", 0, 0.0, false, "0"},
        {"f", 0, 25.0, false, "2.5e1"},
        {"s", 0, 0.0, false, "abc"},
        {"m", 0, 0.0, false, ""},  // a JSON number is not text
        {"o", 0, 0.0, false, R"({"a":[true],"x":1})"},
        {nullptr, -1, -1.0, false, ""},
        {"missing", -1, -1.0, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key ? c.key : "(null)");
        EXPECT_EQ(params.getIntValue(c.key), c.asInt);
        EXPECT_DOUBLE_EQ(params.getFloatValue(c.key), c.asFloat);
        EXPECT_EQ(params.getBoolValue(c.key), c.asBool);
        EXPECT_STREQ(params.getStrValue(c.key).str(), c.asText);
    }
    // Only the absent key is reported, once per lookup, and not to the host.
    const char* functions[] = {"getIntValue", "getFloatValue", "getBoolValue", "getStrValue"};
    ASSERT_EQ(capture.platform.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const fake::PlatformRecord& r = capture.platform[i];
        EXPECT_EQ(r.text, "获取运行参数失败：原因：未找到key[missing]对应的参数");
        EXPECT_EQ(r.module, "STRATEGY_MODULE");
        EXPECT_EQ(r.level, 3);
        EXPECT_EQ(r.file, "norqultisimpl");
        EXPECT_EQ(r.function, std::string("Norq::StrategyParamsImpl::") + functions[i]);
    }
    EXPECT_TRUE(host.logs.empty());
}

TEST_F(StrategyParamsValues, UnparsableTextIsReportedPerLookup) {
    params.setParams(Norq::ZqString("{\"n\":"));
    EXPECT_EQ(params.getIntValue("n"), -1);
    EXPECT_FALSE(params.getBoolValue("n"));
    ASSERT_EQ(capture.platform.size(), 2u);
    const std::string parseFailure = "获取运行参数错误：原因：参数解析失败，";
    EXPECT_EQ(capture.platform[0].text.compare(0, parseFailure.size(), parseFailure), 0) << capture.platform[0].text;
    EXPECT_GT(capture.platform[0].text.size(), parseFailure.size());
    EXPECT_EQ(capture.platform[1].text, "获取运行参数失败：原因：参数非json object类型,{\"n\":");
}

TEST_F(StrategyParamsValues, ANonObjectDocumentIsReportedThenSearchedAsEmpty) {
    params.setParams(Norq::ZqString(R"(["n"])"));
    EXPECT_EQ(params.getIntValue("n"), -1);
    EXPECT_EQ(loggedTexts(), (std::vector<std::string>{"获取运行参数失败：原因：参数非json object类型,[\"n\"]",
                                                       "获取运行参数失败：原因：未找到key[n]对应的参数"}));
    capture.platform.clear();
    EXPECT_FALSE(params.getBoolValue("n"));
    EXPECT_EQ(loggedTexts(), std::vector<std::string>{"获取运行参数失败：原因：未找到key[n]对应的参数"});
}

TEST_F(StrategyParamsValues, PreHandleWarnsAboutTablesAndOutOfRangeListDefaults) {
    StrategyParams schema;
    schema.addTableParam("grid", "a;b", "");
    schema.addListParam("ok", "a,b,c", 2, "");
    schema.addListParam("bad", "a,b,c", 3, "");
    schema.addIntParam("n", 1, "");
    schema.getStrategyParams();
    schema.preHandle();
    ASSERT_EQ(host.logs.size(), 2u);
    EXPECT_EQ(host.logs[0].text, "启动策略时列表类型参数指定的默认序号超出列表范围，序号：3,列表长度：3");
    EXPECT_EQ(host.logs[1].text, "启动策略不支持表格类型的参数：grid");
    for (const fake::HostLogLine& line : host.logs) {
        EXPECT_EQ(line.level, 2);
        EXPECT_EQ(line.file, "norqultisimpl");
        EXPECT_EQ(line.function, "Norq::StrategyParamsImpl::preHandle");
    }
}

TEST_F(StrategyParamsValues, PreHandleIgnoresEmptyAndUnparsableText) {
    StrategyParams empty;
    empty.setParams(Norq::ZqString(""));
    empty.preHandle();
    StrategyParams broken;
    broken.setParams(Norq::ZqString("{not json"));
    broken.preHandle();
    EXPECT_TRUE(host.logs.empty());
    EXPECT_TRUE(capture.platform.empty());
}

}  // namespace
