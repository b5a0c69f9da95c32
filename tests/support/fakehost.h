// A recording host for tests: implements every host service, keeps each call
// (slot, arguments, copies of texts and buffers) and answers from settings
// that the test fills in beforehand. Any thread may call it at once, as the
// host contract requires; the test reads what it kept once they are joined.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "zq/hostservices.h"

namespace fake {

struct HostCall {
    int slot;
    std::vector<int64_t> numbers;    // integer and pointer-sized arguments, in order
    std::vector<std::string> texts;  // text arguments, in order (null recorded as "")
    std::vector<uint8_t> bytes;      // a binary record or buffer argument
};

struct HostLogLine {
    int32_t level;
    int32_t line;
    std::string file;
    std::string function;
    std::string text;
    int32_t displayLevel;
    std::string userLog;
    bool userFlag;
};

// How the host answers a request through the result block.
struct HostAnswer {
    int64_t code = 0;
    int32_t value = 0;
    std::optional<std::string> data;  // handed over as a malloc'd text
    int32_t returned = 0;             // the operation's own 32-bit result
};

class FakeHost : public zq::HostServices {
public:
    // Settings.
    std::map<std::string, std::string> accountIds;  // account-type name -> id
    std::string instanceId = "instance-1";
    std::map<int32_t, HostAnswer> answers;  // per request code (slots 0 and 25)
    HostAnswer orderAnswer;                 // slot 24
    int32_t subscribeResult = 0;
    int32_t tickLength = 1000;
    intptr_t forwardResult = 0;                             // slots 27 and 28
    std::map<std::string, std::vector<uint8_t>> snapshots;  // slot 13, per symbol
    std::string textForHost;                                // slot 29

    // What was called, in order.
    std::vector<HostCall> calls;
    std::vector<HostLogLine> logs;

    std::vector<HostCall> callsTo(int slot) const;
    // Log lines whose text contains `fragment`.
    std::vector<HostLogLine> logsContaining(const std::string& fragment) const;
    // Every log line as "level file function: text".
    std::vector<std::string> logLines() const;
    void clear();

    int32_t Request(int32_t code, const char* json, zq::HostResult* result) override {
        return noted(0, {code}, {str(json)}, answer(answers, code, result));
    }
    void WriteLog(int32_t level, int32_t line, const char* file, const char* function, const char* text,
                  int32_t displayLevel, const char* userLog, bool userFlag) override;
    void CleanUserLog(const char* name) override { noted(8, {name == nullptr}, {str(name)}); }
    int32_t Subscribe(int32_t code, const char* json) override {
        return noted(9, {code}, {str(json)}, subscribeResult);
    }
    int32_t Unsubscribe(int32_t code, const char* json) override {
        return noted(10, {code}, {str(json)}, subscribeResult);
    }
    void UnsubscribeAll() override { noted(11, {}, {}); }
    void GetSnapshot(const char* symbol, void* out) override;
    void RegisterUserLog(const char* name, const char* file) override { noted(21, {}, {str(name), str(file)}); }
    std::string GetAccountId(const char* accountTypeName) override;
    std::string GetInstanceId() override { return noted(23, {}, {}, instanceId); }
    int32_t SubmitOrder(const void* record, zq::HostResult* result) override;
    int32_t SubmitBuffer(int32_t code, const void* buffer, int32_t length, zq::HostResult* result) override;
    int32_t GetTickLength() override { return noted(26, {}, {}, tickLength); }
    intptr_t Forward(intptr_t a, intptr_t b, intptr_t c) override { return noted(27, {a, b, c}, {}, forwardResult); }
    intptr_t PassToHost(intptr_t value, intptr_t extra) override {
        return noted(28, {value, extra}, {}, forwardResult);
    }
    void GetText(std::string& out, intptr_t a, intptr_t b, bool flag) override {
        out = noted(29, {a, b, flag}, {}, textForHost);
    }

private:
    static std::string str(const char* s) { return s ? s : ""; }
    // Records the call and hands `result` back, so a service reads as one statement.
    template <typename Result = int>
    Result noted(int slot, std::vector<int64_t> numbers, std::vector<std::string> texts, Result result = {},
                 std::vector<uint8_t> bytes = {}) {
        std::lock_guard<std::mutex> lock(mutex_);
        calls.push_back(HostCall{slot, std::move(numbers), std::move(texts), std::move(bytes)});
        return result;
    }
    // The operation's result for `code`, -1 when no answer is set; fills the block.
    static int32_t answer(const std::map<int32_t, HostAnswer>& byCode, int32_t code, zq::HostResult* result);
    static int32_t answer(const HostAnswer& a, zq::HostResult* result);
    std::mutex mutex_;  // guards calls and logs
};

}  // namespace fake
