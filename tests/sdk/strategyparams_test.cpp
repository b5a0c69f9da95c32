// Strategy parameters: the schema the host receives, the checks before an
// instance starts, and reading back the values the user chose.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "adapterfixture.h"
#include "logcapture.h"
#include "norq/strategyparams.h"

namespace {

using Norq::StrategyParams;

// Keys come sorted, "index" keeps the declaration order, the last duplicate
// wins and nameless parameters are dropped.
TEST(StrategyParamsSchema, EachTypeSerialisesCompactlyAndNamelessOnesAreDropped) {
    StrategyParams params;
    params.addIntParam("p", 0, "first");
    params.addFloatParam("f", 1.5, "ratio");
    params.addBoolParam("b", false, nullptr);
    params.addStrParam("s", "600000.SH", "代码");
    params.addListParam("l", "a,,b", 1, "d");
    params.addTableParam("t", "c1,c2;1,2", "grid");
    params.addIntParam("p", 5, "d");
    params.addStrParam(nullptr, "v", "d");
    EXPECT_STREQ(params.getStrategyParams().str(),
                 R"({"b":{"desc":"","index":2,"type":"bool","value":false},)"
                 R"("f":{"desc":"ratio","index":1,"type":"float","value":1.5},)"
                 R"("l":{"default_index":1,"desc":"d","index":4,"type":"list","value":["a","","b"]},)"
                 R"("p":{"desc":"d","index":6,"type":"int","value":5},)"
                 R"("s":{"desc":"代码","index":3,"type":"string","value":"600000.SH"},)"
                 R"("t":{"desc":"grid","index":5,"type":"table","value":"c1,c2;1,2"}})");
}

// Copying hands the schema over and leaves the source empty.
TEST(StrategyParamsSchema, DefinitionsAreConsumedByBuildingAndGoWithACopy) {
    StrategyParams params;
    params.addIntParam("a", 1, "");
    std::string first = params.getStrategyParams().str();
    EXPECT_EQ(params.getStrategyParams().str(), first);
    params.addBoolParam("b", true, "");
    StrategyParams taken(params);
    EXPECT_STREQ(params.getStrategyParams().str(), "{}");
    EXPECT_STREQ(taken.getStrategyParams().str(), R"({"b":{"desc":"","index":0,"type":"bool","value":true}})");
}

class StrategyParamsValues : public fake::AdapterTest {
protected:
    void SetUp() override {
        AdapterTest::SetUp();
        params.setParams(Norq::ZqString(R"({"n":"12","m":12,"s":"abc","o":{"x":1,"a":[true]}})"));
    }
    StrategyParams params;
    fake::LogCapture capture;
};

TEST_F(StrategyParamsValues, EachValueReadsAsEveryTypeFromItsText) {
    const struct {
        const char* key;
        int asInt;
        double asFloat;
        bool asBool;
        const char* asText;
    } cases[] = {
        {"n", 12, 12.0, true, "12"},
        {"s", 0, 0.0, false, "abc"},
        {"m", 0, 0.0, false, ""},  // a JSON number is not text
        {"o", 0, 0.0, false, R"({"a":[true],"x":1})"},
        {nullptr, -1, -1.0, false, ""},
        {"missing", -1, -1.0, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key ? c.key : "(null)");
        EXPECT_EQ(params.getIntValue(c.key), c.asInt);
        EXPECT_DOUBLE_EQ(params.getFloatValue(c.key), c.asFloat);
        EXPECT_EQ(params.getBoolValue(c.key), c.asBool);
        EXPECT_STREQ(params.getStrValue(c.key).str(), c.asText);
    }
    // Only the absent key is reported, once per lookup, and not to the host.
    std::vector<std::string> lines, expected;
    for (const fake::PlatformRecord& r : capture.platform)
        lines.push_back(std::to_string(r.level) + " " + r.module + " " + r.file + " " + r.function + ": " + r.text);
    for (std::string f : {"getIntValue", "getFloatValue", "getBoolValue", "getStrValue"})
        expected.push_back("3 STRATEGY_MODULE norqultisimpl Norq::StrategyParamsImpl::" + f +
                           ": 获取运行参数失败：原因：未找到key[missing]对应的参数");
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(host.logs.empty());
}

// A bool lookup words a parse failure as the others word a non-object; a
// non-object document is then searched as an empty one.
TEST_F(StrategyParamsValues, UnparsableAndNonObjectTextIsReportedPerLookup) {
    params.setParams(Norq::ZqString("{\"n\":"));
    EXPECT_EQ(params.getIntValue("n"), -1);
    EXPECT_DOUBLE_EQ(params.getFloatValue("n"), -1.0);
    EXPECT_FALSE(params.getBoolValue("n"));
    params.setParams(Norq::ZqString(R"(["n"])"));
    EXPECT_EQ(params.getIntValue("n"), -1);
    EXPECT_FALSE(params.getBoolValue("n"));
    const std::string parseFailure = "获取运行参数错误：原因：参数解析失败，";
    const std::string missing = "获取运行参数失败：原因：未找到key[n]对应的参数";
    std::vector<std::string> texts;
    for (const fake::PlatformRecord& r : capture.platform) texts.push_back(r.text);
    ASSERT_EQ(texts.size(), 6u);
    for (int i : {0, 1}) EXPECT_THAT(texts[i], ::testing::MatchesRegex(parseFailure + ".+")) << i;
    texts.erase(texts.begin(), texts.begin() + 2);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"获取运行参数失败：原因：参数非json object类型,{\"n\":",
                                        "获取运行参数失败：原因：参数非json object类型,[\"n\"]", missing, missing}));
}

// Empty or unparsable text passes without a word.
TEST_F(StrategyParamsValues, PreHandleWarnsAboutTablesAndOutOfRangeListDefaults) {
    for (const char* text : {"", "{not json"}) {
        StrategyParams other;
        other.setParams(Norq::ZqString(text));
        other.preHandle();
    }
    StrategyParams schema;
    schema.addTableParam("grid", "a;b", "");
    schema.addListParam("ok", "a,b,c", 2, "");
    schema.addListParam("bad", "a,b,c", 3, "");
    schema.getStrategyParams();
    schema.preHandle();
    const std::string where = "2 norqultisimpl Norq::StrategyParamsImpl::preHandle: ";
    EXPECT_EQ(host.logLines(),
              (std::vector<std::string>{where + "启动策略时列表类型参数指定的默认序号超出列表范围，序号：3,列表长度：3",
                                        where + "启动策略不支持表格类型的参数：grid"}));
}

}  // namespace
