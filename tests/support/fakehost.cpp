#include "fakehost.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace fake {

namespace {

std::string text(const char* s) {
    return s ? s : "";
}

std::vector<uint8_t> bytesOf(const void* p, size_t n) {
    if (!p) return {};
    const uint8_t* b = static_cast<const uint8_t*>(p);
    return std::vector<uint8_t>(b, b + n);
}

}  // namespace

std::vector<HostCall> FakeHost::callsTo(int slot) const {
    std::vector<HostCall> found;
    for (const HostCall& c : calls) {
        if (c.slot == slot) found.push_back(c);
    }
    return found;
}

std::vector<HostLogLine> FakeHost::logsContaining(const std::string& fragment) const {
    std::vector<HostLogLine> found;
    for (const HostLogLine& l : logs) {
        if (l.text.find(fragment) != std::string::npos) found.push_back(l);
    }
    return found;
}

void FakeHost::clear() {
    calls.clear();
    logs.clear();
}

void FakeHost::record(int slot, std::vector<int64_t> numbers, std::vector<std::string> texts,
                      std::vector<uint8_t> bytes) {
    calls.push_back(HostCall{slot, std::move(numbers), std::move(texts), std::move(bytes)});
}

int32_t FakeHost::answer(const HostAnswer& a, zq::HostResult* result) {
    if (result) {
        result->code = a.code;
        result->value = a.value;
        if (a.data) result->data = strdup(a.data->c_str());
    }
    return a.returned;
}

int32_t FakeHost::Request(int32_t code, const char* json, zq::HostResult* result) {
    record(0, {code}, {text(json)});
    auto it = answers.find(code);
    return it == answers.end() ? -1 : answer(it->second, result);
}

void FakeHost::WriteLog(int32_t level, int32_t line, const char* file, const char* function, const char* message,
                        int32_t displayLevel, const char* userLog, bool userFlag) {
    record(6, {level, line, displayLevel, userFlag}, {text(file), text(function), text(message), text(userLog)});
    logs.push_back(
        HostLogLine{level, line, text(file), text(function), text(message), displayLevel, text(userLog), userFlag});
}

void FakeHost::CleanUserLog(const char* name) {
    record(8, {name == nullptr}, {text(name)});
}

int32_t FakeHost::Subscribe(int32_t dataCode, const char* json) {
    record(9, {dataCode}, {text(json)});
    return subscribeResult;
}

int32_t FakeHost::Unsubscribe(int32_t dataCode, const char* json) {
    record(10, {dataCode}, {text(json)});
    return subscribeResult;
}

void FakeHost::UnsubscribeAll() {
    record(11, {}, {});
}

void FakeHost::GetSnapshot(const char* symbol, void* out) {
    record(13, {}, {text(symbol)});
    std::memset(out, 0, zq::kSnapshotSize);
    auto it = snapshots.find(text(symbol));
    if (it != snapshots.end()) {
        std::memcpy(out, it->second.data(), std::min<size_t>(it->second.size(), zq::kSnapshotSize));
    }
}

void FakeHost::RegisterUserLog(const char* name, const char* file) {
    record(21, {}, {text(name), text(file)});
}

std::string FakeHost::GetAccountId(const char* accountTypeName) {
    record(22, {}, {text(accountTypeName)});
    auto it = accountIds.find(text(accountTypeName));
    return it == accountIds.end() ? std::string() : it->second;
}

std::string FakeHost::GetInstanceId() {
    record(23, {}, {});
    return instanceId;
}

int32_t FakeHost::SubmitOrder(const void* record240, zq::HostResult* result) {
    record(24, {}, {}, bytesOf(record240, zq::kOrderRecordSize));
    return answer(orderAnswer, result);
}

int32_t FakeHost::SubmitBuffer(int32_t code, const void* buffer, int32_t length, zq::HostResult* result) {
    record(25, {code, length}, {}, bytesOf(buffer, length > 0 ? static_cast<size_t>(length) : 0));
    auto it = answers.find(code);
    return it == answers.end() ? -1 : answer(it->second, result);
}

int32_t FakeHost::GetTickLength() {
    record(26, {}, {});
    return tickLength;
}

intptr_t FakeHost::Forward(intptr_t a, intptr_t b, intptr_t c) {
    record(27, {a, b, c}, {});
    return forwardResult;
}

intptr_t FakeHost::PassToHost(intptr_t value, intptr_t extra) {
    record(28, {value, extra}, {});
    return forwardResult;
}

void FakeHost::GetText(std::string& out, intptr_t a, intptr_t b, bool flag) {
    record(29, {a, b, flag}, {});
    out = textForHost;
}

}  // namespace fake
