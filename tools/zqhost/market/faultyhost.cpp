#include "faultyhost.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "fixedtext.h"
#include "rows.h"
#include "zq/hostcodes.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"
#include "zq/hostrows.h"

namespace zqhost {

namespace {

constexpr int32_t kRefused = -1;
constexpr int32_t kLot = 100;
constexpr const char* kRejection = "rejected by the broker after acceptance (fault injected by --faults)";

template <typename Row>
Row rowOf(const Push& push) {
    Row row{};
    if (push.row.size() == sizeof row) std::memcpy(&row, push.row.data(), sizeof row);
    return row;
}

// The host's number of the order a report is about: the same for all its reports.
std::string orderKey(const Push& push) {
    if (push.id == zq::kNotifyOrderReport) return fixedText(rowOf<zq::OrderRow>(push).entrust_no);
    return fixedText(rowOf<zq::ExecutionRow>(push).entrust_no);
}

std::string reportName(const Push& push) {
    if (push.id == zq::kNotifyOrderReport) {
        zq::OrderRow row = rowOf<zq::OrderRow>(push);
        return "order report of " + fixedText(row.order_id) + " (status " + fixedText(row.status) + ")";
    }
    zq::ExecutionRow row = rowOf<zq::ExecutionRow>(push);
    return "execution report " + fixedText(row.trade_id) + " of " + fixedText(row.order_id);
}

std::string orderName(const zq::HostOrderRecord& record) {
    const Norq::OrderRequest& r = record.request;
    return "order " + fixedText(record.client_order_id) + " (" +
           (r.side == 1   ? "buy "
            : r.side == 2 ? "sell "
                          : "side ") +
           std::to_string(r.amount) + " " + fixedText(r.symbol) + ")";
}

std::string queryName(const char* json) {
    QJsonObject params = QJsonDocument::fromJson(QByteArray(json ? json : "")).object().value("params").toObject();
    return "query of msg_type " + std::to_string(params.value("msg_type").toInt());
}

// At most this many shares a bar, in `parts` roughly equal parts, whole lots
// when the order is in whole lots.
int32_t partSize(int32_t amount, int parts) {
    int32_t part = (amount + parts - 1) / parts;
    if (amount % kLot == 0 && amount >= 2 * kLot) part = (part + kLot - 1) / kLot * kLot;
    return part;
}

}  // namespace

FaultyHost::FaultyHost(const FaultPlan& plan, uint64_t seed, LocalHost& host, ZqDataProvider& data,
                       const Market& market, SimAccount& account)
    : plan_(plan),
      seed_(seed),
      host_(host),
      data_(data),
      market_(market),
      account_(account),
      rejectDie_(seed, FaultKind::Refused),
      partialDie_(seed, FaultKind::Partial),
      delayDie_(seed, FaultKind::ReportDelay),
      duplicateDie_(seed, FaultKind::DuplicateReport),
      queryDie_(seed, FaultKind::QueryFail),
      slowDie_(seed, FaultKind::SlowCall) {
    std::printf("[HOST] fault plan: %s, seed %llu\n", faultPlanText(plan_).c_str(),
                static_cast<unsigned long long>(seed_));
    account_.setFillGate([this](size_t index, const SimOrder& order, int32_t amount, std::string& rejection) {
        return gateFill(index, order, amount, rejection);
    });
}

FaultyHost::~FaultyHost() {
    account_.setFillGate(nullptr);
}

FaultsRun FaultyHost::tally() const {
    FaultsRun run{faultPlanText(plan_), seed_, {}};
    for (int kind = 0; kind < kFaultKinds; ++kind) {
        run.injected.push_back(FaultCount{faultKindName(static_cast<FaultKind>(kind)), counts_[kind]});
    }
    return run;
}

void FaultyHost::inject(FaultKind kind, const std::string& what) {
    ++counts_[static_cast<int>(kind)];
    std::printf("[FAULT] %s: %s\n", faultKindName(kind), what.c_str());
    std::fflush(stdout);
}

void FaultyHost::slowDown(const char* call) {
    if (plan_.slowCallMs <= 0 || !slowDie_.roll(plan_.slowCall)) return;
    inject(FaultKind::SlowCall, std::string(call) + " takes " + std::to_string(plan_.slowCallMs) + " ms longer");
    std::this_thread::sleep_for(std::chrono::milliseconds(plan_.slowCallMs));
}

bool FaultyHost::failQuery(const std::string& what) {
    if (!queryDie_.roll(plan_.queryFail)) return false;
    inject(FaultKind::QueryFail, what + " answered with the host's failure");
    return true;
}

// Half the rejections are refusals at placement, half come after acceptance.
FaultyHost::Rejection FaultyHost::drawRejection() {
    if (!rejectDie_.roll(plan_.reject)) return Rejection::None;
    return rejectDie_.between(0, 1) == 0 ? Rejection::AtPlacement : Rejection::AfterAcceptance;
}

// The seeded decisions for one order are taken once, at its first fill.
int32_t FaultyHost::gateFill(size_t index, const SimOrder& order, int32_t amount, std::string& rejection) {
    if (rejectAtFill_.erase(order.id)) {
        rejection = kRejection;
        inject(FaultKind::RejectedAfterAcceptance, "order " + order.id + " rejected when it would fill");
        return 0;
    }
    int32_t cap = partialCap(index, order);
    return cap > 0 ? std::min(amount, cap) : amount;
}

int32_t FaultyHost::partialCap(size_t index, const SimOrder& order) {
    auto found = fillCaps_.find(index);
    if (found != fillCaps_.end()) return found->second;
    int32_t cap = 0;
    if (order.amount - order.filled >= 2 && partialDie_.roll(plan_.partial)) {
        int parts = partialDie_.between(2, 4);
        cap = partSize(order.amount - order.filled, parts);
        inject(FaultKind::Partial, "order " + order.id + " fills at most " + std::to_string(cap) + " a bar");
    }
    fillCaps_[index] = cap;
    return cap;
}

bool FaultyHost::takePush(Push& push) {
    noteBarTime();
    Push fresh;
    while (host_.takePush(fresh)) admit(std::move(fresh));
    return takeDue(push);
}

void FaultyHost::noteBarTime() {
    if (market_.now() == lastNow_) return;
    lastNow_ = market_.now();
    ++barTime_;
    lastBarTime_ = lastNow_ == market_.lastStamp();
}

// Reports of one order leave in the order they came: a report never passes
// one held before it, so nothing arrives ahead of the order's acceptance.
void FaultyHost::admit(Push push) {
    if (push.id != zq::kNotifyOrderReport && push.id != zq::kNotifyExecutionReport) {
        held_.push_back(Held{std::move(push), barTime_});
        return;
    }
    std::string key = orderKey(push);
    int delay = plan_.reportDelay > 0 ? delayDie_.between(0, plan_.reportDelay) : 0;
    if (delay > 0) {
        inject(FaultKind::ReportDelay,
               reportName(push) + " held back " + std::to_string(delay) + " bar time" + (delay == 1 ? "" : "s"));
    }
    int64_t& last = lastRelease_[key];
    last = std::max(last, barTime_ + delay);
    bool twice = duplicateDie_.roll(plan_.duplicateReport);
    if (twice) inject(FaultKind::DuplicateReport, reportName(push) + " delivered twice");
    held_.push_back(Held{push, last});
    if (twice) held_.push_back(Held{std::move(push), last});
}

bool FaultyHost::takeDue(Push& push) {
    for (auto it = held_.begin(); it != held_.end(); ++it) {
        if (!lastBarTime_ && it->release > barTime_) continue;
        push = std::move(it->push);
        held_.erase(it);
        return true;
    }
    return false;
}

int32_t FaultyHost::Request(int32_t code, const char* json, zq::HostResult* result) {
    slowDown("Request");
    if (code == zq::kCodeQuery && failQuery(queryName(json))) return kRefused;
    return host_.Request(code, json, result);
}

void FaultyHost::WriteLog(int32_t level, int32_t line, const char* file, const char* function, const char* text,
                          int32_t displayLevel, const char* userLog, bool userFlag) {
    host_.WriteLog(level, line, file, function, text, displayLevel, userLog, userFlag);
}

void FaultyHost::CleanUserLog(const char* name) {
    host_.CleanUserLog(name);
}

int32_t FaultyHost::Subscribe(int32_t dataCode, const char* json) {
    slowDown("Subscribe");
    return host_.Subscribe(dataCode, json);
}

int32_t FaultyHost::Unsubscribe(int32_t dataCode, const char* json) {
    slowDown("Unsubscribe");
    return host_.Unsubscribe(dataCode, json);
}

void FaultyHost::UnsubscribeAll() {
    slowDown("UnsubscribeAll");
    host_.UnsubscribeAll();
}

void FaultyHost::GetSnapshot(const char* symbol, void* out) {
    slowDown("GetSnapshot");
    if (out && failQuery(std::string("snapshot of ") + (symbol ? symbol : ""))) {
        std::memset(out, 0, zq::kSnapshotSize);
        return;
    }
    host_.GetSnapshot(symbol, out);
}

void FaultyHost::RegisterUserLog(const char* name, const char* file) {
    host_.RegisterUserLog(name, file);
}

std::string FaultyHost::GetAccountId(const char* accountTypeName) {
    slowDown("GetAccountId");
    return host_.GetAccountId(accountTypeName);
}

std::string FaultyHost::GetInstanceId() {
    slowDown("GetInstanceId");
    return host_.GetInstanceId();
}

int32_t FaultyHost::SubmitOrder(const void* record, zq::HostResult* result) {
    slowDown("SubmitOrder");
    if (!record) return host_.SubmitOrder(record, result);
    const auto& order = *static_cast<const zq::HostOrderRecord*>(record);
    Rejection rejection = drawRejection();
    if (rejection == Rejection::AtPlacement) {
        inject(FaultKind::Refused, orderName(order) + " refused at placement");
        return kRefused;
    }
    if (rejection == Rejection::AfterAcceptance) rejectAtFill_.insert(fixedText(order.client_order_id));
    return host_.SubmitOrder(record, result);
}

// A batch is refused whole, or each of its orders is rejected after acceptance.
int32_t FaultyHost::SubmitBuffer(int32_t code, const void* buffer, int32_t length, zq::HostResult* result) {
    slowDown("SubmitBuffer");
    zq::HostBatchHeader header{};
    if (code != zq::kCodeBatchOrders || !buffer || length < static_cast<int32_t>(sizeof header)) {
        return host_.SubmitBuffer(code, buffer, length, result);
    }
    std::memcpy(&header, buffer, sizeof header);
    Rejection rejection = drawRejection();
    if (rejection == Rejection::AtPlacement) {
        inject(FaultKind::Refused, "batch " + std::to_string(header.batch_no) + " of " + std::to_string(header.count) +
                                       " orders refused at placement");
        return kRefused;
    }
    const auto* bytes = static_cast<const uint8_t*>(buffer) + sizeof header;
    size_t room = (static_cast<size_t>(length) - sizeof header) / sizeof(zq::HostOrderRecord);
    for (size_t i = 0; rejection == Rejection::AfterAcceptance && i < room && i < static_cast<size_t>(header.count);
         ++i) {
        zq::HostOrderRecord order;
        std::memcpy(&order, bytes + i * sizeof order, sizeof order);
        rejectAtFill_.insert(fixedText(order.client_order_id));
    }
    return host_.SubmitBuffer(code, buffer, length, result);
}

int32_t FaultyHost::GetTickLength() {
    slowDown("GetTickLength");
    return host_.GetTickLength();
}

intptr_t FaultyHost::Forward(intptr_t a, intptr_t b, intptr_t c) {
    slowDown("Forward");
    return host_.Forward(a, b, c);
}

intptr_t FaultyHost::PassToHost(intptr_t value, intptr_t extra) {
    slowDown("PassToHost");
    return host_.PassToHost(value, extra);
}

void FaultyHost::GetText(std::string& out, intptr_t a, intptr_t b, bool flag) {
    slowDown("GetText");
    host_.GetText(out, a, b, flag);
}

ZqDataRows FaultyHost::answer(const ZqDataCall& call) {
    slowDown(call.function.c_str());
    if (failQuery(call.function)) return ZqDataRows();
    return data_.answer(call);
}

}  // namespace zqhost
