// A strategy library built only against the public headers uses the SDK
// types, and its log line reaches the host intact.
#include <gtest/gtest.h>

#include "adapterfixture.h"

namespace {

using fake::AdapterTest;

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
    const fake::HostLogLine& line = host.logs[0];
    EXPECT_EQ(line.level, 2);
    EXPECT_EQ(line.line, 4242);
    EXPECT_EQ(line.file, "teststrategy.cpp");
    EXPECT_EQ(line.function, "TestStrategy::exerciseSdk");
    EXPECT_EQ(line.text, R"(abcd 2 1 0 510300.SH {"x":{"desc":"d","index":0,"type":"int","value":1}})");
}

}  // namespace
