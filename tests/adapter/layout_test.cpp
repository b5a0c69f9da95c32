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
    for (const char* wrong : {"getsysapi", "getSysApi ", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ((callSlot<void*, const char*>(c, 6, wrong)), nullptr) << (wrong ? wrong : "(null)");
    EXPECT_EQ(callSlot<Norq::StrategyParams*>(c, 7)->getIntValue("period"), 8);
    host.forwardResult = 77;
    EXPECT_EQ((callSlot<intptr_t, intptr_t, intptr_t, intptr_t>(c, 9, 1, -2, INTPTR_MAX)), 77);
    ASSERT_EQ(host.callsTo(27).size(), 1u);
    EXPECT_EQ(host.callsTo(27)[0].numbers, (std::vector<int64_t>{1, -2, INTPTR_MAX}));
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

}  // namespace
