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

// A fixed text field of a host record, which need not end in NUL.
template <size_t N>
std::string fixed(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
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

int32_t ConsoleHost::SubmitOrder(const void* record, zq::HostResult*) {
    if (!record) return kRefused;
    printOrder("order accepted", *static_cast<const zq::HostOrderRecord*>(record));
    return 0;
}

int32_t ConsoleHost::SubmitBuffer(int32_t code, const void* buffer, int32_t length, zq::HostResult*) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    size_t size = buffer && length > 0 ? static_cast<size_t>(length) : 0;
    if (code == zq::kCodeEtfPurchase || code == zq::kCodeEtfRedemption) {
        if (size < sizeof(zq::HostOrderRecord)) return kRefused;
        printOrder(code == zq::kCodeEtfPurchase ? "ETF creation accepted" : "ETF redemption accepted",
                   *reinterpret_cast<const zq::HostOrderRecord*>(bytes));
        return 0;
    }
    if (code == zq::kCodeBatchOrders) return acceptBatch(bytes, size);
    unserved("buffer request", code, "not simulated");
    return kRefused;
}

int32_t ConsoleHost::acceptBatch(const uint8_t* bytes, size_t size) {
    zq::HostBatchHeader header{};
    if (size < sizeof header) return kRefused;
    std::memcpy(&header, bytes, sizeof header);
    if (header.count < 0 || (size - sizeof header) / sizeof(zq::HostOrderRecord) < static_cast<size_t>(header.count)) {
        std::printf("[HOST] batch %d refused: %zu bytes do not hold %d orders\n", header.batch_no, size, header.count);
        return kRefused;
    }
    std::printf("[HOST] batch %d of %d orders accepted\n", header.batch_no, header.count);
    const uint8_t* record = bytes + sizeof header;
    for (int32_t i = 0; i < header.count; ++i, record += sizeof(zq::HostOrderRecord)) {
        printOrder("  batch order", *reinterpret_cast<const zq::HostOrderRecord*>(record));
    }
    std::fflush(stdout);
    return 0;
}

void ConsoleHost::printOrder(const char* what, const zq::HostOrderRecord& record) {
    const Norq::OrderRequest& r = record.request;
    std::printf("[HOST] %s: %s %s side %d amount %d price %.4f price type %s entrust %d flag %s account %s "
                "instance %s\n",
                what, fixed(record.client_order_id).c_str(), fixed(r.symbol).c_str(), r.side, r.amount, r.price,
                fixed(r.price_type).c_str(), r.entrust_type, fixed(record.order_flag).c_str(),
                fixed(record.account_id).c_str(), fixed(record.instance_id).c_str());
    std::fflush(stdout);
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
