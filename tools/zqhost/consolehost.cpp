#include "consolehost.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int32_t kRefused = -1;

const char* levelName(int32_t level) {
    static const char* const names[] = {"DEBUG", "INFO", "WARN", "ERROR"};
    return level >= 0 && level < 4 ? names[level] : "LOG";
}

const char* orEmpty(const char* text) {
    return text ? text : "";
}

void unserved(const char* what, int32_t code, const char* detail) {
    std::printf("[HOST] %s %d not served by the local host: %s\n", what, code, orEmpty(detail));
}

}  // namespace

ConsoleHost::ConsoleHost(std::map<std::string, std::string> accountIds, std::string instanceId, int32_t tickLength)
    : accountIds_(std::move(accountIds)), instanceId_(std::move(instanceId)), tickLength_(tickLength) {}

int32_t ConsoleHost::Request(int32_t code, const char* json, zq::HostResult*) {
    unserved("request", code, json);
    return kRefused;
}

void ConsoleHost::WriteLog(int32_t level, int32_t, const char* file, const char* function, const char* text, int32_t,
                           const char* userLog, bool) {
    const char* user = orEmpty(userLog);
    std::printf("[%s] %s %s%s%s: %s\n", levelName(level), orEmpty(file), orEmpty(function), *user ? " @" : "", user,
                orEmpty(text));
    std::fflush(stdout);
}

void ConsoleHost::CleanUserLog(const char*) {}

int32_t ConsoleHost::Subscribe(int32_t dataCode, const char* json) {
    unserved("subscription", dataCode, json);
    return kRefused;
}

int32_t ConsoleHost::Unsubscribe(int32_t, const char*) {
    return 0;
}

void ConsoleHost::UnsubscribeAll() {}

void ConsoleHost::GetSnapshot(const char*, void* out) {
    std::memset(out, 0, zq::kSnapshotSize);
}

void ConsoleHost::RegisterUserLog(const char*, const char*) {}

std::string ConsoleHost::GetAccountId(const char* accountTypeName) {
    auto it = accountIds_.find(orEmpty(accountTypeName));
    return it == accountIds_.end() ? std::string() : it->second;
}

std::string ConsoleHost::GetInstanceId() {
    return instanceId_;
}

int32_t ConsoleHost::SubmitOrder(const void*, zq::HostResult*) {
    unserved("order", 0, "no simulated account yet");
    return kRefused;
}

int32_t ConsoleHost::SubmitBuffer(int32_t code, const void*, int32_t, zq::HostResult*) {
    unserved("buffer request", code, "no simulated account yet");
    return kRefused;
}

int32_t ConsoleHost::GetTickLength() {
    return tickLength_;
}

intptr_t ConsoleHost::Forward(intptr_t, intptr_t, intptr_t) {
    return 0;
}

intptr_t ConsoleHost::PassToHost(intptr_t, intptr_t) {
    return 0;
}

void ConsoleHost::GetText(std::string& out, intptr_t, intptr_t, bool) {
    out.clear();
}
