// The host services and data-access provider of `zqhost --replay`. Every
// call the library makes is compared with the next call of the trace and
// answered as it was answered then; the first call that differs, or a
// recorded call the strategy no longer makes, is kept as the difference,
// and from then on every call is refused. Log lines are never compared:
// they go to `logs` to be shown. One thread: the one driving the adapter.
#pragma once

#include <QJsonObject>
#include <optional>
#include <string>

#include "orderidmap.h"
#include "tracereader.h"
#include "zq/hostservices.h"
#include "zqdataaccess.h"

namespace zqhost {

struct TraceDifference {
    int line = 0;          // of the trace, where the recording and the strategy part
    std::string during;    // what the strategy was handling then
    std::string recorded;  // what the trace holds there, and the calls recorded right after
    std::string now;       // what the strategy asked instead
};

class ReplayHost : public zq::HostServices, public ZqDataProvider {
public:
    // REQUIRES: `trace` was read by readTrace and outlives this object.
    ReplayHost(const Trace& trace, zq::HostServices& logs) : trace_(trace), logs_(logs) {}

    // The next notification, stop or closing line, once the strategy has
    // made every call recorded before it; null when it differs.
    const TraceLine* nextStep();
    const std::optional<TraceDifference>& difference() const { return difference_; }
    // Texts and bytes for the strategy, in this run's client order ids.
    const OrderIdMap& ids() const { return ids_; }

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
    // The recorded line when `ask` is the next recorded call; else null,
    // with the difference kept.
    const QJsonObject* expect(const QJsonObject& ask);
    void skipLogs();
    void differ(const TraceLine& line, const std::string& now);
    int32_t answerResult(const QJsonObject* answer, zq::HostResult* result) const;
    std::string answerText(const QJsonObject* answer) const;
    double answerValue(const QJsonObject* answer) const;

    const Trace& trace_;
    zq::HostServices& logs_;
    size_t next_ = 1;  // the next line to meet; the header is behind
    const TraceLine* step_ = nullptr;  // the step being replayed; null while the strategy starts
    std::optional<TraceDifference> difference_;
    OrderIdMap ids_;
};

}  // namespace zqhost
