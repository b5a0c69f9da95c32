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

TEST(StrategyParamsSchema, ANewObjectIsAnEmptyObject) {
    StrategyParams params;
    EXPECT_EQ(schemaOf(params), "{}");
}

TEST(StrategyParamsSchema, EachTypeSerialisesCompactlyWithSortedMembers) {
    struct Case {
        void (*add)(StrategyParams&);
        const char* json;
    } cases[] = {
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

TEST(StrategyParamsSchema, EmptyOrNullNamesAddNothing) {
    StrategyParams params;
    params.addIntParam("", 1, "d");
    params.addStrParam(nullptr, "v", "d");
    params.addListParam("", "a,b", 0, "d");
    EXPECT_EQ(schemaOf(params), "{}");
}

TEST(StrategyParamsSchema, CopyingTransfersDefinitionsAndValues) {
    StrategyParams a;
    a.addIntParam("p", 5, "d");
    StrategyParams b(a);
    EXPECT_EQ(schemaOf(b), R"({"p":{"desc":"d","index":0,"type":"int","value":5}})");
    StrategyParams c;
    c = b;
    EXPECT_EQ(schemaOf(c), R"({"p":{"desc":"d","index":0,"type":"int","value":5}})");
    // What is left behind reads as a new object and can be filled again.
    EXPECT_EQ(schemaOf(a), "{}");
    b.setParams(Norq::ZqString(R"({"n":"3"})"));
    EXPECT_EQ(b.getIntValue("n"), 3);
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

TEST_F(StrategyParamsValues, TextMembersConvertToEachType) {
    EXPECT_EQ(params.getIntValue("n"), 12);
    EXPECT_DOUBLE_EQ(params.getFloatValue("n"), 12.0);
    EXPECT_TRUE(params.getBoolValue("n"));
    EXPECT_FALSE(params.getBoolValue("z"));
    EXPECT_DOUBLE_EQ(params.getFloatValue("f"), 25.0);
    EXPECT_EQ(params.getIntValue("f"), 0);
    EXPECT_EQ(params.getIntValue("s"), 0);
    EXPECT_FALSE(params.getBoolValue("s"));
    EXPECT_STREQ(params.getStrValue("s").str(), "abc");
    EXPECT_STREQ(params.getStrValue("n").str(), "12");
    EXPECT_TRUE(capture.platform.empty());
}

TEST_F(StrategyParamsValues, NumbersAreReadAsTextAndGiveZero) {
    EXPECT_EQ(params.getIntValue("m"), 0);
    EXPECT_DOUBLE_EQ(params.getFloatValue("m"), 0.0);
    EXPECT_FALSE(params.getBoolValue("m"));
    EXPECT_STREQ(params.getStrValue("m").str(), "");
}

TEST_F(StrategyParamsValues, ObjectMembersComeBackAsCompactJson) {
    EXPECT_STREQ(params.getStrValue("o").str(), R"({"a":[true],"x":1})");
}

TEST_F(StrategyParamsValues, AbsentKeysLogAndGiveTheFailureResults) {
    EXPECT_EQ(params.getIntValue("missing"), -1);
    EXPECT_DOUBLE_EQ(params.getFloatValue("missing"), -1.0);
    EXPECT_FALSE(params.getBoolValue("missing"));
    EXPECT_STREQ(params.getStrValue("missing").str(), "");
    ASSERT_EQ(capture.platform.size(), 4u);
    const char* functions[] = {"Norq::StrategyParamsImpl::getIntValue", "Norq::StrategyParamsImpl::getFloatValue",
                               "Norq::StrategyParamsImpl::getBoolValue", "Norq::StrategyParamsImpl::getStrValue"};
    for (size_t i = 0; i < 4; ++i) {
        const fake::PlatformRecord& r = capture.platform[i];
        EXPECT_EQ(r.text, "获取运行参数失败：原因：未找到key[missing]对应的参数");
        EXPECT_EQ(r.module, "STRATEGY_MODULE");
        EXPECT_EQ(r.level, 3);
        EXPECT_EQ(r.file, "norqultisimpl");
        EXPECT_EQ(r.function, functions[i]);
    }
    EXPECT_TRUE(host.logs.empty());
}

TEST_F(StrategyParamsValues, NullKeysFailSilently) {
    EXPECT_EQ(params.getIntValue(nullptr), -1);
    EXPECT_DOUBLE_EQ(params.getFloatValue(nullptr), -1.0);
    EXPECT_FALSE(params.getBoolValue(nullptr));
    EXPECT_STREQ(params.getStrValue(nullptr).str(), "");
    EXPECT_TRUE(capture.platform.empty());
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
