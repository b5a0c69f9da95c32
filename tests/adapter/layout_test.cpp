// The binary interface seen from the other side: each operation is called
// through its raw slot number, as a host or strategy compiled elsewhere
// would, so reordering a header breaks these cases.
#include <gtest/gtest.h>

#include <set>

#include "adapterfixture.h"
#include "norq/istrategyhandler.h"
#include "norq/izqcontext.h"
#include "zq/hostcodes.h"

namespace {

using fake::AdapterTest;

template <typename R, typename... A>
R callSlot(void* object, int slot, A... args) {
    using Fn = R (*)(void*, A...);
    void** table = *static_cast<void***>(object);
    return reinterpret_cast<Fn>(table[slot])(object, args...);
}

TEST_F(AdapterTest, AdapterSlotsSitAtTheirNumbers) {
    void* a = adapter;
    EXPECT_TRUE((callSlot<bool>(a, 1)));
    for (int reserved : {6, 7, 9}) EXPECT_EQ((callSlot<int32_t>(a, reserved)), 0) << reserved;
    callSlot<void>(a, 13);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ((callSlot<int32_t>(a, 5)), zq::kResultNoStrategy);
    EXPECT_EQ((callSlot<int32_t, const zq::NotifyMessage*>(a, 8, nullptr)), zq::kResultNoStrategy);
    EXPECT_EQ((callSlot<int32_t, const char*, int32_t>(a, 10, nullptr, zq::kNotifyRunParams)), zq::kResultBadJson);
    EXPECT_EQ((callSlot<int32_t, const char*, const char*>(a, 4, strategy.c_str(), "{}")), 0);
    callSlot<void, intptr_t>(a, 12, 99);
    EXPECT_EQ(recorder().slots(), (std::vector<int>{1, 20}));
    EXPECT_EQ((callSlot<int32_t>(a, 5)), 0);
    EXPECT_TRUE((callSlot<bool>(a, 2)));
    EXPECT_EQ(recorder().libraryUnloads, 1);
    callSlot<void, zq::HostServices*>(a, 0, &host);
    EXPECT_EQ((callSlot<int32_t, const char*, const char*>(a, 4, nullptr, "{}")), zq::kResultNoStrategy);
    EXPECT_EQ(host.logsContaining("获取策略参数传入策略路径为空").size(), 1u);
}

TEST_F(AdapterTest, StrategyHandlerSlotsSitAtTheirNumbers) {
    Norq::IZqContext* context = runTestStrategy();
    void* h = recorder().handler;
    ASSERT_NE(h, nullptr);
    recorder().events.clear();
    callSlot<void, Norq::IZqContext*>(h, 2, context);
    callSlot<void, Norq::IZqContext*, int32_t>(h, 11, context, 20261205);
    callSlot<void, Norq::IZqContext*, int32_t>(h, 12, context, 20261206);
    callSlot<void, Norq::IZqContext*>(h, 13, context);
    callSlot<void, Norq::IZqContext*, int32_t, const char*, const char*, const char*>(h, 15, context, 3, "09:30:00 000",
                                                                                      "", "u");
    callSlot<void, Norq::IZqContext*, const char*, const char*>(h, 16, context, "10:00:00 000", "one");
    callSlot<void, Norq::IZqContext*, int32_t, const void*>(h, 17, context, 10001, nullptr);
    callSlot<void, Norq::IZqContext*, const char*>(h, 19, context, "input");
    callSlot<void, Norq::IZqContext*, const void*>(h, 24, context, nullptr);
    EXPECT_EQ(recorder().slots(), (std::vector<int>{2, 11, 12, 13, 15, 16, 17, 19, 24}));
    EXPECT_EQ(recorder().events[1].numbers, std::vector<int64_t>{20261205});
    EXPECT_EQ(recorder().events[4].texts, (std::vector<std::string>{"09:30:00 000", "", "u"}));
}

TEST_F(AdapterTest, ContextSlotsSitAtTheirNumbers) {
    Norq::IZqContext* context = runTestStrategy(R"({"period":"8"})");
    void* c = context;
    // Slots 0 to 5 hand out six distinct objects, the ones getHandler finds by name.
    const char* names[] = {"getSysApi",           "getEtfHandler",         "getMarginHandler",
                           "getAlgoTradeHandler", "getOptionTradeHandler", "getPythonExecutor"};
    std::set<void*> objects;
    for (int slot = 0; slot < 6; ++slot) {
        void* object = callSlot<void*>(c, slot);
        EXPECT_NE(object, nullptr) << names[slot];
        EXPECT_EQ((callSlot<void*, const char*>(c, 6, names[slot])), object) << names[slot];
        objects.insert(object);
    }
    EXPECT_EQ(objects.size(), 6u);
    EXPECT_EQ(callSlot<Norq::StrategyParams*>(c, 7)->getIntValue("period"), 8);
    host.forwardResult = 77;
    EXPECT_EQ((callSlot<intptr_t, intptr_t, intptr_t, intptr_t>(c, 9, 1, -2, INTPTR_MAX)), 77);
    auto calls = host.callsTo(27);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].numbers, (std::vector<int64_t>{1, -2, INTPTR_MAX}));
}

TEST(HostContract, HostSlotsSitAtTheirNumbers) {
    fake::FakeHost host;
    host.tickLength = 250;
    host.subscribeResult = 4;
    void* h = static_cast<zq::HostServices*>(&host);
    zq::HostResult result;
    EXPECT_EQ((callSlot<int32_t, int32_t, const char*, zq::HostResult*>(h, 0, zq::kCodeCreditContracts, "{}", &result)),
              -1);
    callSlot<void, int32_t, int32_t, const char*, const char*, const char*, int32_t, const char*, bool>(
        h, 6, 1, 2, "f", "fn", "t", 0, "", false);
    callSlot<void, const char*>(h, 8, "user");
    EXPECT_EQ((callSlot<int32_t, int32_t, const char*>(h, 9, 1, "{}")), 4);
    EXPECT_EQ((callSlot<int32_t, int32_t, const char*>(h, 10, 1, "{}")), 4);
    callSlot<void>(h, 11);
    char snapshot[zq::kSnapshotSize];
    callSlot<void, const char*, void*>(h, 13, "600000.SH", snapshot);
    callSlot<void, const char*, const char*>(h, 21, "user", "user.log");
    char order[zq::kOrderRecordSize] = {};
    callSlot<int32_t, const void*, zq::HostResult*>(h, 24, order, &result);
    callSlot<int32_t, int32_t, const void*, int32_t, zq::HostResult*>(h, 25, zq::kCodeCustomMessage, order, 17,
                                                                      &result);
    EXPECT_EQ((callSlot<int32_t>(h, 26)), 250);
    callSlot<intptr_t, intptr_t, intptr_t, intptr_t>(h, 27, 1, 2, 3);
    callSlot<intptr_t, intptr_t, intptr_t>(h, 28, 1, 0);
    std::vector<int> slots;
    for (const fake::HostCall& call : host.calls) slots.push_back(call.slot);
    EXPECT_EQ(slots, (std::vector<int>{0, 6, 8, 9, 10, 11, 13, 21, 24, 25, 26, 27, 28}));
}

// The vocabulary's numbers are what hosts already send and expect; every
// other test and the library spell them through the names, so a number
// changed by mistake shows only here.
TEST(HostCodesTest, EveryNameHoldsTheNumberHostsUse) {
    // clang-format off
#define CODE(name, wire) {#name, zq::name, wire}
    const struct {
        const char* name;
        int64_t value;
        int64_t wire;
    } codes[] = {
        CODE(kCodeCreditContracts, 2050), CODE(kCodeTrade, 2053), CODE(kCodeQuery, 2055),
        CODE(kCodeStartStrategy, 2075), CODE(kCodeInstanceId, 2080), CODE(kCodeSymbols, 2090),
        CODE(kCodeMsgType, 2092), CODE(kCodeExecPython, 2101), CODE(kCodeFileOrSound, 2220),
        CODE(kCodeInstanceRemark, 2223), CODE(kCodeMessageBox, 2225), CODE(kCodeOrderReply, 2226),
        CODE(kCodeBatchOrders, 2201), CODE(kCodeEtfPurchase, 2202), CODE(kCodeEtfRedemption, 2203),
        CODE(kCodeOptionExercise, 2204), CODE(kCodeCustomMessage, 2205), CODE(kCodeUnderlyingFreeze, 2206),
        CODE(kMsgNoPush, -1), CODE(kMsgCancel, 2002), CODE(kMsgDirectRefund, 2054), CODE(kMsgLendingStocks, 2056),
        CODE(kMsgFinancingStocks, 2057), CODE(kMsgEtfInfo, 2061), CODE(kMsgEtfConstituents, 2062),
        CODE(kMsgCreditContracts, 2063), CODE(kMsgMarginAsset, 2064), CODE(kMsgCollateral, 2065),
        CODE(kMsgSymbolList, 2073), CODE(kMsgSymbolDetail, 2074), CODE(kMsgLendable, 2088),
        CODE(kMsgFutureContract, 2094), CODE(kMsgCurrentTime, 2100), CODE(kMsgTradableQty, 2102),
        CODE(kMsgRequestFile, 2221), CODE(kMsgPlaySound, 2222), CODE(kMsgCounterAsset, 2227),
        CODE(kSubscribeDataType1, 3001), CODE(kSubscribeBars, 3015), CODE(kSubscribeDataType3, 3011),
        CODE(kSubscribeDataType4, 3010), CODE(kSubscribeDataType5, 3012), CODE(kSubscribeDataType6, 3020),
        CODE(kSubscribeUnknown, -1), CODE(kNotify1000, 1000), CODE(kNotifyTimerTick, 1004),
        CODE(kNotifyDayBegins, 1005), CODE(kNotifyDayEnds, 1006), CODE(kNotifyFundUpdate, 1007),
        CODE(kNotifyPositionUpdate, 1008), CODE(kNotify1056, 1056), CODE(kNotify1057, 1057),
        CODE(kNotifyEtfEstimate, 1058), CODE(kNotifyBar, 1061), CODE(kNotifyRunParams, 1062),
        CODE(kNotifyRunParamsUnkept, 1063), CODE(kNotify1071, 1071), CODE(kNotifyOrderReport, 1081),
        CODE(kNotifyExecutionReport, 1082), CODE(kNotify1083, 1083), CODE(kNotifyParamWindow, 1086),
        CODE(kNotifyUserInput, 1087), CODE(kNotify1089, 1089), CODE(kNotifyOrderReply, 1090),
        CODE(kFirstCustomNotify, 10000)
    };
#undef CODE
    // clang-format on
    for (const auto& code : codes) EXPECT_EQ(code.value, code.wire) << code.name;
}

}  // namespace
