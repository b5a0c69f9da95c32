// The sample strategy driven by bar pushes, as the host drives it: it orders
// only on real crossings of its averages.
#include <gtest/gtest.h>

#include "adapterfixture.h"
#include "bytes.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"

namespace {

using fake::AdapterTest;

TEST_F(AdapterTest, TheSampleStrategyOrdersOnlyWhenTheAveragesCross) {
    host.accountIds = {{"stock", "880001"}};
    ASSERT_EQ(adapter->RunStrategy(fake::libraryPath("macross").c_str(), R"({"symbol":"600000.SH","short_window":"2",)"
                                   R"("long_window":"4","volume":"100","allow_short":"1"})"),
              0);
    // Rising into the first full window (short above long: no signal yet),
    // falling through (sell), rising again (buy); another symbol's bar is
    // not the strategy's.
    for (double close : {10, 11, 12, 13, 12, 11, 10, 11, 12, 13, 14}) {
        std::string bar = R"({"security_symbol":"600000.SH","timestamp":"t","close":)" + std::to_string(close) + "}";
        const zq::NotifyMessage message{zq::kNotifyBar, bar.c_str()};
        EXPECT_EQ(adapter->OnNotifyMessage(&message), zq::kResultOk);
    }
    const zq::NotifyMessage other{zq::kNotifyBar, R"({"security_symbol":"000001.SZ","close":1})"};
    EXPECT_EQ(adapter->OnNotifyMessage(&other), zq::kResultOk);

    std::vector<std::pair<int32_t, double>> orders;
    for (const fake::HostCall& call : host.callsTo(24)) {
        auto record = fake::recordAt<zq::HostOrderRecord>(call.bytes);
        EXPECT_EQ(fake::text(record.request.symbol), "600000.SH");
        EXPECT_EQ(record.request.amount, 100);
        orders.emplace_back(record.request.side, record.request.price);
    }
    EXPECT_EQ(orders, (std::vector<std::pair<int32_t, double>>{{2, 11}, {1, 12}}));
}

}  // namespace
