// The local host misbehaving on purpose (`zqhost --faults`), the way a real
// trading client does now and then. It stands between the adapter and the
// local host's services and data access, and in front of the pushes the
// replay delivers:
// - refuses order placements (the client's refusal: a non-zero result), or
//   lets an order be accepted and rejects it, with a reason, when it would
//   fill (through the simulated account's fill gate);
// - splits an order's fills over several bars (the same gate);
// - answers queries with the host's failure: a refused request, no rows, a
//   zero snapshot;
// - makes host calls take longer;
// - holds order and execution reports back for some bar times, never ahead
//   of an earlier report of the same order, and delivers some twice; at
//   the last bar time every held report goes, before the strategy stops.
// Every fault injected is a "[FAULT]" line on standard output and counted.
// Decisions come from the plan's seeded dice alone, so the same plan, seed
// and strategy make the same run. It owns nothing it wraps; one thread, the
// one driving the adapter.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "account.h"
#include "faultplan.h"
#include "localhost.h"
#include "market.h"
#include "pushsource.h"
#include "runresult.h"
#include "zq/hostservices.h"
#include "zqdataaccess.h"

namespace zqhost {

class FaultyHost : public zq::HostServices, public ZqDataProvider, public PushSource {
public:
    // Prints the plan and seed, and installs the account's fill gate.
    FaultyHost(const FaultPlan& plan, uint64_t seed, LocalHost& host, ZqDataProvider& data, const Market& market,
               SimAccount& account);
    ~FaultyHost();
    FaultyHost(const FaultyHost&) = delete;
    FaultyHost& operator=(const FaultyHost&) = delete;

    // The plan, the seed and what was injected, for the run's result.
    FaultsRun tally() const;

    bool takePush(Push& push) override;

    int32_t Request(int32_t code, const char* json, zq::HostResult* result) override;
    void WriteLog(int32_t level, int32_t line, const char* file, const char* function, const char* text,
                  int32_t displayLevel, const char* userLog, bool userFlag) override;
    void CleanUserLog(const char* name) override;
    int32_t Subscribe(int32_t dataCode, const char* json) override;
    int32_t Unsubscribe(int32_t dataCode, const char* json) override;
    void UnsubscribeAll() override;
    void GetSnapshot(const char* symbol, void* out) override;
    void RegisterUserLog(const char* name, const char* file) override;
    std::string GetAccountId(const char* accountTypeName) override;
    std::string GetInstanceId() override;
    int32_t SubmitOrder(const void* record, zq::HostResult* result) override;
    int32_t SubmitBuffer(int32_t code, const void* buffer, int32_t length, zq::HostResult* result) override;
    int32_t GetTickLength() override;
    intptr_t Forward(intptr_t a, intptr_t b, intptr_t c) override;
    intptr_t PassToHost(intptr_t value, intptr_t extra) override;
    void GetText(std::string& out, intptr_t a, intptr_t b, bool flag) override;

    ZqDataRows answer(const ZqDataCall& call) override;

private:
    struct Held {
        Push push;
        int64_t release;  // the bar time, counted, from which it may go
    };

    enum class Rejection { None, AtPlacement, AfterAcceptance };

    void inject(FaultKind kind, const std::string& what);
    void slowDown(const char* call);
    bool failQuery(const std::string& what);
    Rejection drawRejection();
    int32_t gateFill(size_t index, const SimOrder& order, int32_t amount, std::string& rejection);
    int32_t partialCap(size_t index, const SimOrder& order);
    void noteBarTime();
    void admit(Push push);
    bool takeDue(Push& push);

    const FaultPlan plan_;
    const uint64_t seed_;
    LocalHost& host_;
    ZqDataProvider& data_;
    const Market& market_;
    SimAccount& account_;
    FaultDie rejectDie_, partialDie_, delayDie_, duplicateDie_, queryDie_, slowDie_;
    std::array<int64_t, kFaultKinds> counts_{};
    std::set<std::string> rejectAtFill_;          // client order ids accepted, to be rejected
    std::map<size_t, int32_t> fillCaps_;          // order index -> most it fills a bar; 0: whole
    std::deque<Held> held_;                       // in arrival order
    std::map<std::string, int64_t> lastRelease_;  // host order number -> its latest report's release
    int64_t barTime_ = 0;                         // bar times seen, counted
    int64_t lastNow_ = -1;
    bool lastBarTime_ = false;
};

}  // namespace zqhost
