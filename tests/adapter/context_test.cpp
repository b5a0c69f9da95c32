// The context as a strategy sees it from its callbacks.
#include <gtest/gtest.h>

#include <set>

#include "adapterfixture.h"
#include "norq/izqcontext.h"

namespace {

using fake::AdapterTest;

const char* const kHandlerNames[] = {"getSysApi",           "getEtfHandler",         "getMarginHandler",
                                     "getAlgoTradeHandler", "getOptionTradeHandler", "getPythonExecutor"};

TEST_F(AdapterTest, NamedGettersMatchGetHandlerAndAreDistinct) {
    Norq::IZqContext* context = runTestStrategy();
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(static_cast<void*>(context->getSysApi()), context->getHandler("getSysApi"));
    EXPECT_EQ(static_cast<void*>(context->getEtfHandler()), context->getHandler("getEtfHandler"));
    EXPECT_EQ(static_cast<void*>(context->getMarginHandler()), context->getHandler("getMarginHandler"));
    EXPECT_EQ(context->getAlgoTradeHandler(), context->getHandler("getAlgoTradeHandler"));
    EXPECT_EQ(static_cast<void*>(context->getOptionTradeHandler()), context->getHandler("getOptionTradeHandler"));
    EXPECT_EQ(static_cast<void*>(context->getPythonExecutor()), context->getHandler("getPythonExecutor"));
    std::set<void*> objects;
    for (const char* name : kHandlerNames) {
        void* object = context->getHandler(name);
        EXPECT_NE(object, nullptr) << name;
        objects.insert(object);
    }
    EXPECT_EQ(objects.size(), 6u);
}

TEST_F(AdapterTest, GetHandlerNeedsTheExactName) {
    Norq::IZqContext* context = runTestStrategy();
    for (const char* name : {"GetSysApi", "getsysapi", "GETETFHANDLER", "getSysApi ", "sysApi", "", "getAlgo"}) {
        EXPECT_EQ(context->getHandler(name), nullptr) << name;
    }
    EXPECT_EQ(context->getHandler(nullptr), nullptr);
}

TEST_F(AdapterTest, AccountIdsComeFromTheHostByAccountTypeName) {
    host.accountIds = {
        {"stock", "S-1"}, {"stock_margin", "M-2"}, {"futures", "F-3"}, {"open_fund", "O-4"}, {"option", "P-5"}};
    Norq::IZqContext* context = runTestStrategy();
    host.clear();
    const char* expected[] = {"S-1", "M-2", "F-3", "O-4", "P-5"};
    for (int type = 1; type <= 5; ++type) EXPECT_STREQ(context->getAccountId(type).str(), expected[type - 1]);
    EXPECT_STREQ(context->getAccountId(0).str(), "");
    EXPECT_EQ(context->getAccountId(6).length(), 0);

    std::vector<std::string> asked;
    for (const fake::HostCall& call : host.callsTo(22)) asked.push_back(call.texts.at(0));
    EXPECT_EQ(asked, (std::vector<std::string>{"stock", "stock_margin", "futures", "open_fund", "option", "unknown",
                                               "unknown"}));
}

TEST_F(AdapterTest, ForwardToHostPassesThreeValuesAndReturnsTheHostsAnswer) {
    Norq::IZqContext* context = runTestStrategy();
    host.forwardResult = 77;
    EXPECT_EQ(context->forwardToHost(1, -2, INTPTR_MAX), 77);
    auto calls = host.callsTo(27);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].numbers, (std::vector<int64_t>{1, -2, INTPTR_MAX}));
}

TEST_F(AdapterTest, RunParamsPointToTheContextsOwnParameters) {
    Norq::IZqContext* context = runTestStrategy(R"({"symbol":"000001.SZ"})");
    EXPECT_EQ(context->getRunParams(), context->getRunParams());
    EXPECT_STREQ(context->getRunParams()->getStrValue("symbol").str(), "000001.SZ");
}

}  // namespace
