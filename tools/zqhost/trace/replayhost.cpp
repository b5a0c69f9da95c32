#include "replayhost.h"

#include <QJsonDocument>
#include <cstdlib>
#include <cstring>

#include "trace.h"

namespace zqhost {

using trace::ask;

namespace {

constexpr int32_t kRefused = -1;
constexpr size_t kCallsShown = 4;

std::string compact(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

QString text(const char* value) {
    return QString::fromUtf8(value ? value : "");
}

// What a step line stands for, in a difference report.
std::string stepText(const TraceLine& line) {
    const QJsonObject& o = line.object;
    switch (line.kind) {
    case TraceLine::Kind::Notify:
        return "no further call before the notification " + std::to_string(o.value("id").toInt()) + " at " +
               o.value("at").toString().toStdString();
    case TraceLine::Kind::Stop: return "no further call before the host stops the strategy";
    default: return "no further call";
    }
}

std::string duringText(const TraceLine* step) {
    if (!step) return "while the strategy started";
    if (step->kind == TraceLine::Kind::Stop) return "while the strategy stopped (line " + std::to_string(step->number) + ")";
    return "while it handled the notification " + std::to_string(step->object.value("id").toInt()) + " of line " +
           std::to_string(step->number) + ", at " + step->object.value("at").toString().toStdString();
}

}  // namespace

void ReplayHost::skipLogs() {
    while (next_ < trace_.lines.size() && trace_.lines[next_].kind == TraceLine::Kind::Log) ++next_;
}

// The recorded side shows the calls up to the next step, so that a missing
// order is seen behind the queries that lead to it.
void ReplayHost::differ(const TraceLine& line, const std::string& now) {
    if (difference_) return;
    std::string recorded;
    for (size_t i = next_, shown = 0; i < trace_.lines.size() && shown < kCallsShown; ++i) {
        const TraceLine& call = trace_.lines[i];
        if (call.kind == TraceLine::Kind::Log) continue;
        if (call.kind != TraceLine::Kind::Call) break;
        recorded += (shown++ ? "\n            " : "") + compact(call.object.value("ask").toObject());
    }
    if (recorded.empty()) recorded = stepText(line);
    difference_ = TraceDifference{line.number, duringText(step_), recorded, now};
}

const TraceLine* ReplayHost::nextStep() {
    skipLogs();
    if (difference_ || next_ >= trace_.lines.size()) return nullptr;
    const TraceLine& line = trace_.lines[next_];
    if (line.kind == TraceLine::Kind::Call) {
        differ(line, "nothing: the strategy went on without it");
        return nullptr;
    }
    ++next_;
    step_ = &line;
    return &line;
}

const QJsonObject* ReplayHost::expect(const QJsonObject& asked) {
    skipLogs();
    if (difference_ || next_ >= trace_.lines.size()) return nullptr;
    const TraceLine& line = trace_.lines[next_];
    std::string now = ids_.toRecorded(compact(asked));
    if (line.kind != TraceLine::Kind::Call || !ids_.matchAndPair(compact(line.object.value("ask").toObject()), now)) {
        differ(line, now);
        return nullptr;
    }
    ++next_;
    return &line.object;
}

int32_t ReplayHost::answerResult(const QJsonObject* line, zq::HostResult* result) const {
    if (!line) return kRefused;
    QJsonObject answer = line->value("answer").toObject();
    if (result && answer.contains("code")) {
        result->code = static_cast<int64_t>(answer.value("code").toDouble());
        QJsonValue data = answer.value("data");
        result->data = data.isString() ? strdup(ids_.toCurrent(data.toString().toStdString()).c_str()) : nullptr;
    }
    return answer.value("returned").toInt(kRefused);
}

std::string ReplayHost::answerText(const QJsonObject* line) const {
    return line ? ids_.toCurrent(line->value("answer").toObject().value("text").toString().toStdString()) : "";
}

double ReplayHost::answerValue(const QJsonObject* line) const {
    return line ? line->value("answer").toObject().value("value").toDouble() : 0;
}

int32_t ReplayHost::Request(int32_t code, const char* json, zq::HostResult* result) {
    return answerResult(expect(ask("Request", {{"code", code}, {"json", text(json)}})), result);
}

void ReplayHost::WriteLog(int32_t level, int32_t line, const char* file, const char* function, const char* message,
                          int32_t displayLevel, const char* userLog, bool userFlag) {
    logs_.WriteLog(level, line, file, function, message, displayLevel, userLog, userFlag);
}

void ReplayHost::CleanUserLog(const char* name) {
    expect(ask("CleanUserLog", {{"name", text(name)}}));
}

int32_t ReplayHost::Subscribe(int32_t dataCode, const char* json) {
    return answerResult(expect(ask("Subscribe", {{"data_code", dataCode}, {"json", text(json)}})), nullptr);
}

int32_t ReplayHost::Unsubscribe(int32_t dataCode, const char* json) {
    return answerResult(expect(ask("Unsubscribe", {{"data_code", dataCode}, {"json", text(json)}})), nullptr);
}

void ReplayHost::UnsubscribeAll() {
    expect(ask("UnsubscribeAll"));
}

void ReplayHost::GetSnapshot(const char* symbol, void* out) {
    const QJsonObject* line = expect(ask("GetSnapshot", {{"symbol", text(symbol)}}));
    std::vector<uint8_t> snapshot;
    std::memset(out, 0, zq::kSnapshotSize);
    if (!line || !trace::bytesOf(line->value("answer").toObject().value("snapshot"), snapshot)) return;
    ids_.toCurrent(snapshot);
    std::memcpy(out, snapshot.data(), std::min<size_t>(snapshot.size(), zq::kSnapshotSize));
}

void ReplayHost::RegisterUserLog(const char* name, const char* file) {
    expect(ask("RegisterUserLog", {{"name", text(name)}, {"file", text(file)}}));
}

std::string ReplayHost::GetAccountId(const char* accountTypeName) {
    return answerText(expect(ask("GetAccountId", {{"type", text(accountTypeName)}})));
}

std::string ReplayHost::GetInstanceId() {
    return answerText(expect(ask("GetInstanceId")));
}

int32_t ReplayHost::SubmitOrder(const void* record, zq::HostResult* result) {
    if (!record) return answerResult(expect(ask("SubmitOrder")), result);
    const auto& order = *static_cast<const zq::HostOrderRecord*>(record);
    return answerResult(expect(ask("SubmitOrder", {{"order", trace::askOrder(order)}})), result);
}

int32_t ReplayHost::SubmitBuffer(int32_t code, const void* buffer, int32_t length, zq::HostResult* result) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    std::vector<uint8_t> copy = bytes && length > 0 ? std::vector<uint8_t>(bytes, bytes + length) : std::vector<uint8_t>();
    return answerResult(expect(trace::askBuffer(code, copy)), result);
}

int32_t ReplayHost::GetTickLength() {
    return static_cast<int32_t>(answerValue(expect(ask("GetTickLength"))));
}

intptr_t ReplayHost::Forward(intptr_t, intptr_t, intptr_t) {
    return static_cast<intptr_t>(answerValue(expect(ask("Forward"))));
}

intptr_t ReplayHost::PassToHost(intptr_t, intptr_t) {
    return static_cast<intptr_t>(answerValue(expect(ask("PassToHost"))));
}

void ReplayHost::GetText(std::string& out, intptr_t, intptr_t, bool) {
    out = answerText(expect(ask("GetText")));
}

ZqDataRows ReplayHost::answer(const ZqDataCall& call) {
    ZqDataCall asked = call;
    ids_.toRecorded(asked.query);
    ZqDataRows rows;
    const QJsonObject* line = expect(trace::askData(asked));
    if (!line) return rows;
    QJsonObject answer = line->value("answer").toObject();
    if (!trace::bytesOf(answer.value("rows"), rows.bytes)) rows.bytes.clear();
    ids_.toCurrent(rows.bytes);
    rows.total_count = answer.value("total").toInt();
    rows.last_page = answer.value("last_page").toBool(true);
    return rows;
}

}  // namespace zqhost
