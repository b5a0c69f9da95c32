// The local host's services: log lines go to standard output, account and
// instance ids come from the command line, orders are accepted and printed,
// requests the local host cannot serve yet are printed and refused.
#pragma once

#include <map>
#include <string>

#include "zq/hostorder.h"
#include "zq/hostservices.h"

class ConsoleHost : public zq::HostServices {
public:
    ConsoleHost(std::map<std::string, std::string> accountIds, std::string instanceId, int32_t tickLength);

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
    static void printOrder(const char* what, const zq::HostOrderRecord& record);

    std::map<std::string, std::string> accountIds_;
    std::string instanceId_;
    int32_t tickLength_;
};
