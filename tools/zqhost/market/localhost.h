// The local host's services, standing in for the trading client. Log lines
// go to the host's log stream (hostlog.h); account and instance ids come
// from the command line. With a replayed market, orders and cancels go to the simulated
// account and its reports wait, as pushes, until the call that caused them
// has returned; a cancel the account refuses is answered the same way, by
// an order report saying why. Without a market, orders are accepted and
// printed. The current time the library asks for is the simulated time:
// the replayed market's clock, or the time of the last timer tick. Requests
// the local host does not simulate are printed and refused.
// Everything runs on the one thread that drives the adapter.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "account.h"
#include "market.h"
#include "runinfo.h"
#include "zq/hostorder.h"
#include "zq/hostservices.h"

namespace zqhost {

// A notification waiting to be delivered: a platform row or a JSON text.
struct Push {
    uint32_t id = 0;
    std::vector<uint8_t> row;
    std::string text;

    const void* payload() const { return row.empty() ? static_cast<const void*>(text.c_str()) : row.data(); }
};

class LocalHost : public zq::HostServices {
public:
    struct Settings {
        std::map<std::string, std::string> accountIds;  // account-type name -> id
        std::string instanceId = "local-1";
        int32_t tickLength = 1000;
    };

    // `market` and `account` are null when nothing is replayed.
    LocalHost(Settings settings, const Market* market, SimAccount* account);

    // The next waiting push, oldest first; false when there is none.
    bool takePush(Push& push);
    // What GetTickLength answers: the simulated time since the last tick.
    void setTickLength(int32_t milliseconds) { settings_.tickLength = milliseconds; }
    // Exceptions strategy callbacks threw, as the library reported them.
    int strategyErrors() const { return static_cast<int>(callbackErrors_.size()); }
    const std::vector<CallbackError>& callbackErrors() const { return callbackErrors_; }
    // Queues the reports of what changed: order rows, then each fill's
    // execution row, then fund and position updates when anything filled.
    void reportChanges(const std::vector<size_t>& orders, const std::vector<size_t>& fills);
    void reportChanges(const AccountChanges& changes) { reportChanges(changes.orders, changes.fills); }
    // Without a market: the time the host tells, as "yyyyMMdd hh:mm:ss zzz".
    void setSimulatedTime(std::string text) { simulatedTime_ = std::move(text); }

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

private:
    int32_t acceptBatch(const uint8_t* bytes, size_t size);
    void placeOrder(const zq::HostOrderRecord& record, int32_t batchNo);
    int32_t answerQuery(const std::string& json, zq::HostResult* result);
    int32_t cancel(const std::string& json);
    std::string accountIdOfType(const char* name) const;
    void noteCallbackError(const std::string& text);
    std::string symbolDetail(const std::string& symbol) const;

    Settings settings_;
    const Market* market_;
    SimAccount* account_;
    std::deque<Push> pushes_;
    std::vector<CallbackError> callbackErrors_;
    std::string simulatedTime_;
};

}  // namespace zqhost
