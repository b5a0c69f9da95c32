#include "fakehost.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace fake {

std::vector<HostCall> FakeHost::callsTo(int slot) const {
    std::vector<HostCall> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [&](const HostCall& c) { return c.slot == slot; });
    return found;
}

std::vector<std::string> FakeHost::logLines() const {
    std::vector<std::string> lines;
    for (const HostLogLine& l : logs)
        lines.push_back(std::to_string(l.level) + " " + l.file + " " + l.function + ": " + l.text);
    return lines;
}

std::vector<HostLogLine> FakeHost::logsContaining(const std::string& fragment) const {
    std::vector<HostLogLine> found;
    std::copy_if(logs.begin(), logs.end(), std::back_inserter(found),
                 [&](const HostLogLine& l) { return l.text.find(fragment) != std::string::npos; });
    return found;
}

void FakeHost::clear() {
    calls.clear();
    logs.clear();
}

int32_t FakeHost::answer(const HostAnswer& a, zq::HostResult* result) {
    if (result) {
        result->code = a.code;
        result->value = a.value;
        if (a.data) result->data = strdup(a.data->c_str());
    }
    return a.returned;
}

int32_t FakeHost::answer(const std::map<int32_t, HostAnswer>& byCode, int32_t code, zq::HostResult* result) {
    auto it = byCode.find(code);
    return it == byCode.end() ? -1 : answer(it->second, result);
}

void FakeHost::WriteLog(int32_t level, int32_t line, const char* file, const char* function, const char* message,
                        int32_t displayLevel, const char* userLog, bool userFlag) {
    noted(6, {level, line, displayLevel, userFlag}, {str(file), str(function), str(message), str(userLog)});
    std::lock_guard<std::mutex> lock(mutex_);
    logs.push_back(
        HostLogLine{level, line, str(file), str(function), str(message), displayLevel, str(userLog), userFlag});
}

void FakeHost::GetSnapshot(const char* symbol, void* out) {
    noted(13, {}, {str(symbol)});
    std::memset(out, 0, zq::kSnapshotSize);
    auto it = snapshots.find(str(symbol));
    if (it != snapshots.end())
        std::memcpy(out, it->second.data(), std::min<size_t>(it->second.size(), zq::kSnapshotSize));
}

std::string FakeHost::GetAccountId(const char* accountTypeName) {
    auto it = accountIds.find(str(accountTypeName));
    return noted(22, {}, {str(accountTypeName)}, it == accountIds.end() ? std::string() : it->second);
}

int32_t FakeHost::SubmitOrder(const void* record, zq::HostResult* result) {
    const auto* bytes = static_cast<const uint8_t*>(record);
    return noted(24, {}, {}, answer(orderAnswer, result),
                 bytes ? std::vector<uint8_t>(bytes, bytes + zq::kOrderRecordSize) : std::vector<uint8_t>());
}

int32_t FakeHost::SubmitBuffer(int32_t code, const void* buffer, int32_t length, zq::HostResult* result) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    return noted(25, {code, length}, {}, answer(answers, code, result),
                 bytes && length > 0 ? std::vector<uint8_t>(bytes, bytes + length) : std::vector<uint8_t>());
}

}  // namespace fake
