// The host services and data-access provider a recorded run hands the
// library: each call goes on to the real ones, and what was asked and
// answered goes to the trace (see trace.h). Everything runs on the one
// thread that drives the adapter.
#pragma once

#include <QJsonObject>

#include "zq/hostservices.h"
#include "zqdataaccess.h"

namespace zqhost {

// Where the lines of recorded calls go: the trace being written.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void write(const QJsonObject& line) = 0;
};

class RecordingHost : public zq::HostServices, public ZqDataProvider {
public:
    explicit RecordingHost(TraceSink& trace) : trace_(trace) {}

    // REQUIRES: set before the library calls the matching side.
    void setHost(zq::HostServices& host) { host_ = &host; }
    void setData(ZqDataProvider& data) { data_ = &data; }

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
    void call(const QJsonObject& ask, const QJsonObject& answer);

    TraceSink& trace_;
    zq::HostServices* host_ = nullptr;
    ZqDataProvider* data_ = nullptr;
};

}  // namespace zqhost
