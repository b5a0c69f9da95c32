#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "paramgrid.h"
#include "seriesreducer.h"
#include "sweeptable.h"
#include "whereexpr.h"

using namespace zqhost;

namespace {

const char* const kSchema =
    R"({"short_window":{"type":"int","value":5},"ratio":{"type":"float","value":0.5},)"
    R"("allow_short":{"type":"bool","value":false},"name":{"type":"str","value":"x"},)"
    R"("period":{"type":"list","value":["kline_1m","kline_5m"],"default_index":0},"grid":{"type":"table","value":[]}})";

std::string joined(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& v : values) text += (text.empty() ? "" : " ") + v;
    return text;
}

}  // namespace

TEST(SweepGrid, RangesAndListsAreReadByTheParameterType) {
    const struct { const char* grid; const char* values; } cases[] = {  // the values, or the error
        {"short_window=3..6", "3 4 5 6"},
        {"short_window=10..60:20", "10 30 50"},
        {"short_window=-2..-1", "-2 -1"},
        {"short_window=4,8,2", "4 8 2"},
        {"ratio=0.1..0.5:0.1", "0.1 0.2 0.3 0.4 0.5"},
        {"ratio=1..2:0.3", "1 1.3 1.6 1.9"},
        {"ratio=0.25,1e-3", "0.25 1e-3"},
        {"allow_short=true,0", "true false"},
        {"period=kline_5m", "kline_5m"},
        {"name=a,b c", "a b c"},
        {"short_window=6..3", "--grid short_window=6..3: the range is empty (6 is above 3)"},
        {"short_window=3..6:0", "--grid short_window=3..6:0: the step must be positive"},
        {"short_window=3..x", "--grid short_window=3..x: a range of whole numbers is FROM..TO or FROM..TO:STEP"},
        {"short_window=1.5,2", "--grid short_window=1.5,2: '1.5' is not a whole number"},
        {"short_window=0..100000", "--grid short_window=0..100000: the range has too many values"},  // 100 001
        {"ratio=0..1", "--grid ratio=0..1: a range of numbers is FROM..TO:STEP"},
        {"ratio=0..100000:1", "--grid ratio=0..100000:1: the range has too many values"},  // 100 001
        {"allow_short=yes", "--grid allow_short=yes: 'yes' is not true or false"},
        {"period=kline_1d", "--grid period=kline_1d: 'kline_1d' is not one of the list's entries"},
        {"grid=1", "--grid grid=1: table parameters cannot be swept"},
        {"window=1", "--grid window=1: the strategy has no parameter 'window'"},
        {"short_window=", "--grid takes NAME=VALUES, got 'short_window='"},
        {"=3", "--grid takes NAME=VALUES, got '=3'"},
    };
    for (const auto& c : cases) {
        SweptParam param;
        std::string error;
        bool ok = parseGrid(c.grid, kSchema, param, error);
        EXPECT_EQ(ok ? joined(param.values) : error, c.values) << c.grid;
    }
}

TEST(SweepGrid, TheWholeGridAndASeededDrawOfIt) {
    std::vector<SweptParam> params = {{"a", "int", {"1", "2", "3"}}, {"b", "int", {"10", "20"}}};
    std::vector<ParamSet> grid = fullGrid(params);
    ASSERT_EQ(grid.size(), 6u);
    EXPECT_EQ(setKey(grid[0]), "a=1\nb=10\n");
    EXPECT_EQ(setKey(grid[1]), "a=1\nb=20\n");
    EXPECT_EQ(setKey(grid[5]), "a=3\nb=20\n");

    auto all = [](const ParamSet&) { return true; };
    std::vector<ParamSet> drawn = randomSets(params, 4, 7, all);
    EXPECT_NE(drawn, randomSets(params, 4, 8, all));
    std::set<std::string> keys;
    for (const ParamSet& set : drawn) keys.insert(setKey(set));
    EXPECT_EQ(keys.size(), 4u) << "no set twice";
    // More than the grid holds: every set, once.
    EXPECT_EQ(randomSets(params, 50, 1, all).size(), 6u);
    auto small = [](const ParamSet& s) { return s.at("a") == "1"; };
    EXPECT_EQ(randomSets(params, 5, 3, small).size(), 2u);
}

TEST(SweepWhere, KeepsTheSetsItsComparisonsHoldFor) {
    const std::set<std::string> names = {"short", "long", "period", "flag"};
    const std::map<std::string, std::string> set = {{"short", "5"}, {"long", "20"}, {"period", "kline_1m"}, {"flag", "true"}};
    struct Case { const char* text; bool keeps; };
    const Case cases[] = {
        {"", true},
        {"short<long", true},
        {"short>=long", false},
        {"short<=5 and long==20", true},
        {"short < 5 or long = 20.0", true},
        {"short<5 or long!=20", false},
        {"short==5 and (long<10 or period=='kline_1m')", true},
        {"(short==5 and long<10) or period==\"kline_5m\"", false},
        {"short==4 or short==5 and long==21", false},  // and binds tighter
        {"flag==true and 10<short", false},            // as numbers; as texts "10" < "5"
        {"period>'kline_0'", true},                    // texts compare as texts
    };
    for (const Case& c : cases) {
        WhereExpr where;
        std::string error;
        ASSERT_TRUE(where.parse(c.text, names, error)) << c.text << ": " << error;
        EXPECT_EQ(where.keeps(set), c.keeps) << c.text;
    }
}

TEST(SweepWhere, MalformedTextsNameTheColumn) {
    const std::set<std::string> names = {"short", "long"};
    const std::pair<const char*, const char*> cases[] = {
        {"short<", "--where: expected a name or a value at column 7 (the end)"},
        {"short long", "--where: expected a comparison (< <= > >= == !=) at column 7 ('long')"},
        {"short<long and", "--where: expected a name or a value at column 15 (the end)"},
        {"(short<long", "--where: expected ')' at column 12 (the end)"},
        {"short<long)", "--where: expected 'and', 'or' or the end at column 11 (')')"},
        {"shrt<long", "--where: no swept parameter is named so at column 1 ('shrt')"},
        {"short!long", "--where: '!' must be '!=' at column 6"},
        {"short<'5", "--where: unclosed quote at column 7"},
        {"short<long;", "--where: unexpected ';' at column 11"},
        {"short<long or and", "--where: expected a name or a value at column 15 ('and')"},
    };
    for (const auto& [text, message] : cases) {
        WhereExpr where;
        std::string error;
        EXPECT_FALSE(where.parse(text, names, error)) << text;
        EXPECT_EQ(error, message) << text;
    }
}

TEST(SeriesReducer, KeepsEveryPointUntilFullThenEachStretchsExtremes) {
    SeriesReducer few(8);
    for (int i = 0; i < 8; ++i) few.add(i, i % 3);
    EXPECT_EQ(few.points().size(), 8u);

    // A million points in 64 stretches: at most four points each, in order,
    // with the first, the last, the one low and the one high among them.
    SeriesReducer many(64);
    const int n = 1000000;
    for (int i = 0; i < n; ++i) {
        double value = 100 + (i % 1000) * 0.01;
        if (i == 123457) value = 5;
        if (i == 876543) value = 500;
        many.add(i, value);
    }
    std::vector<SeriesPoint> kept = many.points();
    EXPECT_LE(kept.size(), 4u * 64);
    EXPECT_GE(kept.size(), 64u);
    EXPECT_EQ(kept.front().tag, 0);
    EXPECT_EQ(kept.back().tag, n - 1);
    bool low = false, high = false;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_LT(i > 0 ? kept[i - 1].tag : -1, kept[i].tag);
        low = low || (kept[i].tag == 123457 && kept[i].value == 5);
        high = high || (kept[i].tag == 876543 && kept[i].value == 500);
    }
    EXPECT_TRUE(low && high) << "the run's extremes are kept";
}

// Ranked by the longest drawdown, the shorter first, a set without the
// figure after every set with it; ties go by the parameter's values, as
// numbers when both are numbers (so 5 before 10, -1 before 7), else as texts.
TEST(SweepTable, RanksByTheFiguresOwnDirectionThenByParameterValuesAsNumbers) {
    const std::string dir = (std::filesystem::temp_directory_path() / "zqhost_sweeptable").string();
    std::filesystem::remove_all(dir);
    std::vector<SweepSet> sets;
    const std::pair<std::string, std::string> figures[] = {
        {"10", "3"}, {"5", "3"}, {"abc", "1"}, {"9", "1"}, {"7", "null"}, {"-1", "null"}, {"", "\"n/a\""}};
    for (const auto& [w, bars] : figures) {
        sets.push_back(SweepSet{"set" + w, {{"w", w}}, Sample::Whole, ""});
        std::string error;
        ASSERT_TRUE(writeSetFile(dir, sets.back(), error) && writeOutcome(dir, sets.back().id, 0, 10, error)) << error;
        std::ofstream(setFolder(dir, sets.back().id) + "/summary.json")
            << R"({"figures":{"longestDrawdownBars":)" << bars << "}}";
    }
    std::string order;
    for (const SweepRow& row : buildTable(dir, sets, "longestDrawdownBars").rows)
        order += "[" + row.params.at("w") + "]" + std::to_string(row.rank);
    EXPECT_EQ(order, "[9]1[abc]2[5]3[10]4[]5[-1]6[7]7");
    std::filesystem::remove_all(dir);
}
