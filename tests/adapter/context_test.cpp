// The context as a strategy sees it from its callbacks; its slots and the
// objects they hand out are in layout_test.cpp.
#include <gtest/gtest.h>

#include "adapterfixture.h"
#include "norq/izqcontext.h"

namespace {

using fake::AdapterTest;

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

}  // namespace
