// Host notifications as a separately built strategy receives them: which
// callback each id reaches, with which arguments and which record, and what
// happens to texts that do not parse.
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
        recorder().events.clear();
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
    const std::tuple<uint32_t, const void*, int, std::vector<int64_t>, std::vector<std::string>, const void*> cases[] =
        {
            {zq::kNotify1000, row, 3, {}, {}, row},
            {zq::kNotify1056, row, 6, {}, {}, row},
            {zq::kNotify1057, row, 5, {}, {}, row},
            {zq::kNotify1089, nullptr, 23, {}, {}, nullptr},
            {zq::kNotify1071, row, 2, {}, {}, nullptr},
            {zq::kNotify1083, nullptr, 13, {}, {}, nullptr},
            {zq::kNotifyDayBegins, R"({"timestamp":"20240102 09:30:00 000"})", 11, {20240102}, {}, nullptr},
            {zq::kNotifyDayEnds, R"({"timestamp":"2024-01-02 09:30:00"})", 12, {0}, {}, nullptr},
            {zq::kNotifyDayBegins, R"({"date":"20240102"})", 11, {-1}, {}, nullptr},
            {zq::kNotifyDayEnds, "{", 12, {-1}, {}, nullptr},
            {zq::kNotifyRunParams,
             R"({"params":"{\"period\":\"9\"}","file_path":"/s/a.so"})",
             10,
             {},
             {R"({"period":"9"})", "/s/a.so"},
             nullptr},
            {zq::kNotifyRunParamsUnkept, R"({"params":7})", 10, {}, {"", ""}, nullptr},
            {zq::kNotifyRunParamsUnkept, nullptr, 10, {}, {"", ""}, nullptr},
            {zq::kNotifyParamWindow, R"({"params":"p=1","param_wnd_title":"标题"})", 18, {}, {"p=1", "标题"}, nullptr},
            {zq::kNotifyParamWindow, R"({})", 18, {}, {"", ""}, nullptr},
            {zq::kNotifyUserInput, R"({"user_input_param":"输入"})", 19, {}, {"输入"}, nullptr},
            {zq::kNotifyUserInput, "[1,", 19, {}, {""}, nullptr},
            {zq::kFirstCustomNotify, row, 17, {zq::kFirstCustomNotify}, {}, row},
            {123456, nullptr, 17, {123456}, {}, nullptr},
        };
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

TEST_F(DispatchTest, ABarPushBecomesAKLineDataPush) {
    const char* json = R"({"security_symbol":"600000.SH.EXTRA-LONG","timestamp":"2024-01-02 09:31:00","open":10.1,)"
                       R"("close":10.2,"high":10.5,"low":"9.9","money":1234.5,"volume":1500.9,"num_trades":-12.7,)"
                       R"("period_type":"kline_1m"})";
    KLineDataPush bar = received<KLineDataPush>(zq::kNotifyBar, json, 4);
    // The symbol cut to 13 bytes.
    static const KLineDataPush wanted = {"2024-01-02 09:31:00", 10.1, 10.2,      10.5, 0, 1500, 1234.5, -12,
                                         "600000.SH.EXT",       {},   "kline_1m"};
    EXPECT_EQ(std::memcmp(&bar, &wanted, sizeof bar), 0) << "low sent as a text reads 0";
}

TEST_F(DispatchTest, AnEtfEstimateReadsItsNumbersFromTexts) {
    const char* json = R"({"security_symbol":"510050.SH","timestamp":"09:30:00","iopv":"2.5","iopvs1":2.6,)"
                       R"("iopvb1":"x","premiumProfit":"-0.25","discountProfit":"1e-3"})";
    EtfEstimateInfo info = received<EtfEstimateInfo>(zq::kNotifyEtfEstimate, json, 9);
    static const EtfEstimateInfo wanted = {"510050.SH", "09:30:00", 2.5, 0, 0, -0.25, 0.001};
    EXPECT_EQ(std::memcmp(&info, &wanted, sizeof info), 0) << "numbers as JSON numbers or bad texts read 0";
}

TEST_F(DispatchTest, AnOrderReplyKeepsTextsWholeOrLeavesThemEmpty) {
    std::string json = R"({"entrust_type":"2","error_code":"12345678","fund_account":"880001","ord_id":"O-1",)"
                       R"("org_ord_id":"O-0","batch_no":7,"algo_inst_id":"A","instance_id":"I","error_info":")" +
                       std::string(255, 'e') + R"("})";
    OrderReply wanted = {"2", "", "880001", "O-1", "O-0", 7, "A", "I", {}};
    OrderReply noInfo = wanted;
    std::memset(wanted.error_info, 'e', 255);
    OrderReply reply = received<OrderReply>(zq::kNotifyOrderReply, json.c_str(), 24);
    EXPECT_EQ(std::memcmp(&reply, &wanted, sizeof reply), 0) << "an 8-character error code does not fit";
    json.replace(json.find(std::string(255, 'e')), 255, std::string(256, 'e'));
    reply = received<OrderReply>(zq::kNotifyOrderReply, json.c_str(), 24);
    EXPECT_EQ(std::memcmp(&reply, &noInfo, sizeof reply), 0) << "a 256-byte error text does not fit";
}

// The push converters write their line straight to the platform logger; the
// order reply's goes through the host.
TEST_F(DispatchTest, TextsThatDoNotParseGiveZeroRecordsAndALine) {
    for (uint32_t id : {zq::kNotifyBar, zq::kNotifyEtfEstimate, zq::kNotifyOrderReply}) {
        const fake::StrategyEvent* event = deliver(id, "not json");
        ASSERT_NE(event, nullptr) << id;
        EXPECT_EQ(event->bytes, std::vector<uint8_t>(event->bytes.size(), 0)) << id;
        EXPECT_FALSE(event->bytes.empty());
    }
    deliver(zq::kNotifyRunParamsUnkept, nullptr);
    std::vector<std::string> lines;
    for (const fake::PlatformRecord& r : capture.platform)
        lines.push_back(std::to_string(r.level) + " " + r.file + " " + r.function + ": " + r.text);
    const std::string assembler = "3 zqstructassembler ZqStructAssembler::";
    EXPECT_EQ(lines, (std::vector<std::string>{
                         assembler + "AssemblePushKLineData: json解析失败：not json,illegal value",
                         assembler + "AssemblePushEtfEstimateInfo: json解析失败：not json,illegal value",
                         assembler + "assembleModifyRunParams: json解析失败：,illegal value",
                     }));
    auto replyLines = host.logsContaining("解析报撤单响应失败，原因：");
    ASSERT_EQ(replyLines.size(), 1u);
    EXPECT_EQ(std::make_tuple(replyLines[0].level, replyLines[0].function),
              std::make_tuple(3, std::string("ZqStructAssembler::assembleOrderReply")));
}

TEST_F(DispatchTest, PlatformRowsBecomeRecordsAndOrderReportsAreLogged) {
    zq::OrderRow order{};
    std::strcpy(order.order_id, "O-7");
    std::strcpy(order.status, "2");
    std::tie(order.filled, order.date, order.time_of_day) = std::make_tuple(300, 20240102, 93015);
    Order gotOrder = received<Order>(zq::kNotifyOrderReport, &order, 7);
    EXPECT_EQ(
        fake::text(gotOrder.order_id) + " " + fake::text(gotOrder.add_time) + " " + std::to_string(gotOrder.status),
        "O-7 20240102 09:30:15 000 2");
    ASSERT_EQ(capture.platform.size(), 1u);
    const fake::PlatformRecord& line = capture.platform[0];
    EXPECT_EQ(
        std::make_tuple(line.level, line.module, line.file, line.function, line.text),
        std::make_tuple(0, std::string("CXXAdapter"), std::string("zqcxxadapter"),
                        std::string("ZqCxxAdapter::OnNotifyMessage"), std::string("C++ push order report:O-7,2,300")));

    zq::ExecutionRow execution{};
    std::strcpy(execution.trade_id, "T-1");
    EXPECT_EQ(fake::text(received<Execution>(zq::kNotifyExecutionReport, &execution, 8).trade_id), "T-1");
    zq::FundRow fund{};
    fund.available_cash = 99.5;
    EXPECT_EQ(received<FundInfo>(zq::kNotifyFundUpdate, &fund, 21).available_cash, 99.5);
    zq::PositionRow position{};
    position.total_amount = 99.9;
    EXPECT_EQ(received<Position>(zq::kNotifyPositionUpdate, &position, 22).total_amount, 99);
    zq::OrderRow zeroRow{};
    Order fromMissing = received<Order>(zq::kNotifyOrderReport, nullptr, 7);
    Order fromZero = received<Order>(zq::kNotifyOrderReport, &zeroRow, 7);
    EXPECT_EQ(std::memcmp(&fromMissing, &fromZero, sizeof fromZero), 0) << "a missing row reads as a zero row";
}

TEST_F(DispatchTest, ACallbackThatThrowsIsLoggedAndTheHostStillGetsZero) {
    recorder().throwInSlot = 4;
    EXPECT_NE(deliver(zq::kNotifyBar, "{}"), nullptr);
    EXPECT_EQ(host.logsContaining("策略回调抛出异常，回调：onKLine 原因：boom").size(), 1u);
}

}  // namespace
