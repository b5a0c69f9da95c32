// The timers as a strategy reaches them through the system API of the
// shared library it runs in.
#include <gtest/gtest.h>

#include "adapterfixture.h"
#include "norq/inorqsysapi.h"
#include "norq/izqcontext.h"

namespace {

using fake::AdapterTest;

TEST_F(AdapterTest, TheSystemApiRegistersWithTheProcessTimers) {
    Norq::INorqSysApi* api = runTestStrategy()->getSysApi();
    host.logs.clear();
    EXPECT_EQ(api->registerTimer(1000, "", "", "u"), 0);
    EXPECT_EQ(api->registerSingleTimer("00:00:00 000", "u"), -1);
    EXPECT_EQ(host.logsContaining("单次定时信号触发时间[00:00:00 000]").size(), 1u);
}

}  // namespace
