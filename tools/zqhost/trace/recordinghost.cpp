#include "recordinghost.h"

#include "trace.h"

namespace zqhost {

using trace::ask;

namespace {

QString text(const char* value) {
    return QString::fromUtf8(value ? value : "");
}

QJsonObject textAnswer(const std::string& value) {
    return QJsonObject{{"text", QString::fromStdString(value)}};
}

QJsonObject valueAnswer(double value) {
    return QJsonObject{{"value", value}};
}

std::vector<uint8_t> bufferBytes(const void* buffer, int32_t length) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    return bytes && length > 0 ? std::vector<uint8_t>(bytes, bytes + length) : std::vector<uint8_t>();
}

}  // namespace

void RecordingHost::call(const QJsonObject& ask, const QJsonObject& answer) {
    trace_.write(QJsonObject{{"kind", "call"}, {"ask", ask}, {"answer", answer}});
}

int32_t RecordingHost::Request(int32_t code, const char* json, zq::HostResult* result) {
    int32_t returned = host_->Request(code, json, result);
    call(ask("Request", {{"code", code}, {"json", text(json)}}), trace::resultAnswer(returned, result));
    return returned;
}

void RecordingHost::WriteLog(int32_t level, int32_t line, const char* file, const char* function, const char* message,
                             int32_t displayLevel, const char* userLog, bool userFlag) {
    trace_.write(QJsonObject{{"kind", "log"}, {"level", level}, {"file", text(file)}, {"function", text(function)},
                             {"text", text(message)}, {"user_log", text(userLog)}});
    host_->WriteLog(level, line, file, function, message, displayLevel, userLog, userFlag);
}

void RecordingHost::CleanUserLog(const char* name) {
    host_->CleanUserLog(name);
    call(ask("CleanUserLog", {{"name", text(name)}}), {});
}

int32_t RecordingHost::Subscribe(int32_t dataCode, const char* json) {
    int32_t returned = host_->Subscribe(dataCode, json);
    call(ask("Subscribe", {{"data_code", dataCode}, {"json", text(json)}}), trace::resultAnswer(returned, nullptr));
    return returned;
}

int32_t RecordingHost::Unsubscribe(int32_t dataCode, const char* json) {
    int32_t returned = host_->Unsubscribe(dataCode, json);
    call(ask("Unsubscribe", {{"data_code", dataCode}, {"json", text(json)}}), trace::resultAnswer(returned, nullptr));
    return returned;
}

void RecordingHost::UnsubscribeAll() {
    host_->UnsubscribeAll();
    call(ask("UnsubscribeAll"), {});
}

void RecordingHost::GetSnapshot(const char* symbol, void* out) {
    host_->GetSnapshot(symbol, out);
    call(ask("GetSnapshot", {{"symbol", text(symbol)}}),
         QJsonObject{{"snapshot", trace::bytesJson(out, zq::kSnapshotSize)}});
}

void RecordingHost::RegisterUserLog(const char* name, const char* file) {
    host_->RegisterUserLog(name, file);
    call(ask("RegisterUserLog", {{"name", text(name)}, {"file", text(file)}}), {});
}

std::string RecordingHost::GetAccountId(const char* accountTypeName) {
    std::string id = host_->GetAccountId(accountTypeName);
    call(ask("GetAccountId", {{"type", text(accountTypeName)}}), textAnswer(id));
    return id;
}

std::string RecordingHost::GetInstanceId() {
    std::string id = host_->GetInstanceId();
    call(ask("GetInstanceId"), textAnswer(id));
    return id;
}

int32_t RecordingHost::SubmitOrder(const void* record, zq::HostResult* result) {
    int32_t returned = host_->SubmitOrder(record, result);
    if (!record) {
        call(ask("SubmitOrder"), trace::resultAnswer(returned, result));
        return returned;
    }
    const auto& order = *static_cast<const zq::HostOrderRecord*>(record);
    call(ask("SubmitOrder", {{"order", trace::askOrder(order)}}), trace::resultAnswer(returned, result));
    return returned;
}

int32_t RecordingHost::SubmitBuffer(int32_t code, const void* buffer, int32_t length, zq::HostResult* result) {
    int32_t returned = host_->SubmitBuffer(code, buffer, length, result);
    std::vector<uint8_t> bytes = bufferBytes(buffer, length);
    call(trace::askBuffer(code, bytes), trace::resultAnswer(returned, result));
    return returned;
}

int32_t RecordingHost::GetTickLength() {
    int32_t length = host_->GetTickLength();
    call(ask("GetTickLength"), valueAnswer(length));
    return length;
}

// The arguments of the pass-through operations may be addresses, different
// each run: only the operation is compared.
intptr_t RecordingHost::Forward(intptr_t a, intptr_t b, intptr_t c) {
    intptr_t value = host_->Forward(a, b, c);
    call(ask("Forward"), valueAnswer(static_cast<double>(value)));
    return value;
}

intptr_t RecordingHost::PassToHost(intptr_t value, intptr_t extra) {
    intptr_t returned = host_->PassToHost(value, extra);
    call(ask("PassToHost"), valueAnswer(static_cast<double>(returned)));
    return returned;
}

void RecordingHost::GetText(std::string& out, intptr_t a, intptr_t b, bool flag) {
    host_->GetText(out, a, b, flag);
    call(ask("GetText"), textAnswer(out));
}

ZqDataRows RecordingHost::answer(const ZqDataCall& query) {
    ZqDataRows rows = data_->answer(query);
    call(trace::askData(query), trace::rowsAnswer(rows));
    return rows;
}

}  // namespace zqhost
