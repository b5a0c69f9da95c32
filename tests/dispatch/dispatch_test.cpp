// Host notifications as a separately built strategy receives them: which
// callback each id reaches, with which arguments and which record.
#include <gtest/gtest.h>

#include <cstring>

#include "adapterfixture.h"
#include "bytes.h"
#include "logcapture.h"
#include "norq/izqcontext.h"
#include "zq/hostcodes.h"
#include "zq/hostrows.h"

namespace {

using namespace Norq;

class DispatchTest : public fake::AdapterTest {
protected:
    void SetUp() override {
        AdapterTest::SetUp();
        context = runTestStrategy(R"({"period":"5"})");
    }

    // Delivers one message and gives the one callback it made, or null.
    const fake::StrategyEvent* deliver(uint32_t id, const void* payload) {
        recorder().events.clear();
        zq::NotifyMessage message{id, payload};
        EXPECT_EQ(adapter->OnNotifyMessage(&message), 0);
        EXPECT_LE(recorder().events.size(), 1u) << "id " << id;
        return recorder().events.empty() ? nullptr : &recorder().events[0];
    }

    template <typename Record>
    Record received(uint32_t id, const void* payload, int slot) {
        const fake::StrategyEvent* event = deliver(id, payload);
        EXPECT_TRUE(event && event->slot == slot) << "id " << id;
        return event ? fake::recordAt<Record>(event->bytes) : Record{};
    }

    Norq::IZqContext* context = nullptr;
    fake::LogCapture capture;
};

TEST_F(DispatchTest, EveryIdReachesItsCallbackWithItsArguments) {
    const int record = 42;
    const void* const row = &record;
    // The id, its payload, the callback's slot, the numbers, texts and pointer it gets.
    // clang-format off
    const std::tuple<uint32_t, const void*, int, std::vector<int64_t>, std::vector<std::string>, const void*> cases[] = {
        {zq::kNotify1000, row, 3, {}, {}, row}, {zq::kNotify1056, row, 6, {}, {}, row},
        {zq::kNotify1057, row, 5, {}, {}, row}, {zq::kNotify1089, nullptr, 23, {}, {}, nullptr},
        {zq::kNotify1071, row, 2, {}, {}, nullptr}, {zq::kNotify1083, nullptr, 13, {}, {}, nullptr},
        {zq::kNotifyDayBegins, R"({"timestamp":"20240102 09:30:00 000"})", 11, {20240102}, {}, nullptr},
        {zq::kNotifyDayEnds, "{", 12, {-1}, {}, nullptr},
        {zq::kNotifyRunParams, R"({"params":"{\"period\":\"9\"}","file_path":"/s/a.so"})", 10, {},
         {R"({"period":"9"})", "/s/a.so"}, nullptr},
        {zq::kNotifyRunParamsUnkept, nullptr, 10, {}, {"", ""}, nullptr},
        {zq::kNotifyParamWindow, R"({"params":"p=1","param_wnd_title":"标题"})", 18, {}, {"p=1", "标题"}, nullptr},
        {zq::kNotifyUserInput, R"({"user_input_param":"输入"})", 19, {}, {"输入"}, nullptr},
        {zq::kNotifyUserInput, "[1,", 19, {}, {""}, nullptr},
        {zq::kFirstCustomNotify, row, 17, {zq::kFirstCustomNotify}, {}, row},
    };
    // clang-format on
    for (const auto& [id, payload, slot, numbers, texts, pointer] : cases) {
        SCOPED_TRACE(id);
        const fake::StrategyEvent* event = deliver(id, payload);
        ASSERT_NE(event, nullptr);
        EXPECT_EQ(std::make_tuple(event->slot, event->context, event->numbers, event->texts, event->pointer),
                  std::make_tuple(slot, context, numbers, texts, pointer));
    }
    for (uint32_t id : {999u, 1001u, 1091u, 5000u}) EXPECT_EQ(deliver(id, row), nullptr) << id;
    EXPECT_EQ(deliver(zq::kNotifyParamWindow, "not json"), nullptr);
    EXPECT_EQ(context->getRunParams()->getIntValue("period"), 5) << "notified changes are not stored";
}

// Numbers where the converters want texts read 0, as does an error code too
// long for its field; a text that does not parse gives a zero record.
TEST_F(DispatchTest, JsonPushesBecomeTheirRecords) {
    KLineDataPush bar = received<KLineDataPush>(
        zq::kNotifyBar, R"({"security_symbol":"600000.SH.EXTRA-LONG","high":10.5,"low":"9.9"})", 4);
    EXPECT_EQ(std::make_tuple(fake::text(bar.symbol), bar.high, bar.low), std::make_tuple("600000.SH.EXT", 10.5, 0.0));
    EtfEstimateInfo info =
        received<EtfEstimateInfo>(zq::kNotifyEtfEstimate,
                                  R"({"security_symbol":"510050.SH","timestamp":"09:30:00","iopv":"2.5","iopvs1":2.6,)"
                                  R"("iopvb1":"x","premiumProfit":"-0.25","discountProfit":"1e-3"})",
                                  9);
    static const EtfEstimateInfo wantedInfo = {"510050.SH", "09:30:00", 2.5, 0, 0, -0.25, 0.001};
    EXPECT_EQ(std::memcmp(&info, &wantedInfo, sizeof info), 0);
    OrderReply reply = received<OrderReply>(
        zq::kNotifyOrderReply,
        R"({"entrust_type":"2","error_code":"12345678","fund_account":"880001","ord_id":"O-1",)"
        R"("org_ord_id":"O-0","batch_no":7,"algo_inst_id":"A","instance_id":"I","error_info":"e"})",
        24);
    static const OrderReply wantedReply = {"2", "", "880001", "O-1", "O-0", 7, "A", "I", "e"};
    EXPECT_EQ(std::memcmp(&reply, &wantedReply, sizeof reply), 0);
    for (uint32_t id : {zq::kNotifyBar, zq::kNotifyEtfEstimate, zq::kNotifyOrderReply}) {
        const fake::StrategyEvent* event = deliver(id, "not json");
        ASSERT_TRUE(event && !event->bytes.empty()) << id;
        EXPECT_EQ(event->bytes, std::vector<uint8_t>(event->bytes.size(), 0)) << id;
    }
    // The order reply's line goes through the host, the push converters' to the platform logger.
    auto replyLines = host.logsContaining("解析报撤单响应失败，原因：");
    ASSERT_EQ(replyLines.size(), 1u);
    EXPECT_EQ(std::make_tuple(replyLines[0].level, replyLines[0].function),
              std::make_tuple(3, std::string("ZqStructAssembler::assembleOrderReply")));
    EXPECT_EQ(capture.platform.size(), 2u);
}

// A missing row reads as a zero row.
TEST_F(DispatchTest, PlatformRowsBecomeRecordsAndOrderReportsAreLogged) {
    zq::OrderRow order{};
    std::strcpy(order.order_id, "O-7");
    std::strcpy(order.status, "2");
    order.filled = 300;
    EXPECT_EQ(fake::text(received<Order>(zq::kNotifyOrderReport, &order, 7).order_id), "O-7");
    ASSERT_EQ(capture.platform.size(), 1u);
    const fake::PlatformRecord& line = capture.platform[0];
    EXPECT_EQ(
        std::make_tuple(line.level, line.module, line.file, line.function, line.text),
        std::make_tuple(0, std::string("CXXAdapter"), std::string("zqcxxadapter"),
                        std::string("ZqCxxAdapter::OnNotifyMessage"), std::string("C++ push order report:O-7,2,300")));
    received<Position>(zq::kNotifyPositionUpdate, nullptr, 22);
    received<Execution>(zq::kNotifyExecutionReport, nullptr, 8);
    EXPECT_TRUE(fake::isAllZero(received<FundInfo>(zq::kNotifyFundUpdate, nullptr, 21)));
}

}  // namespace
