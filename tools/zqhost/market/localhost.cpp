#include "localhost.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fixedtext.h"
#include "hostlog.h"
#include "norq/records.h"
#include "zq/hostcodes.h"
#include "rows.h"
#include "userhints.h"

namespace zqhost {

namespace {

constexpr int32_t kRefused = -1;
// The library's record of a throwing callback: the callback's name follows
// the first marker, the exception's text the second.
constexpr const char* kStrategyThrew = "策略回调抛出异常，回调：";
constexpr const char* kThrewReason = " 原因：";
// What symbol details tell as the board lot when no --lot is enforced.
constexpr int32_t kUsualLot = 100;

const char* levelName(int32_t level) {
    static const char* const names[] = {"DEBUG", "INFO", "WARN", "ERROR"};
    return level >= 0 && level < 4 ? names[level] : "LOG";
}

const char* orEmpty(const char* text) {
    return text ? text : "";
}

void unserved(const char* what, int32_t code, const char* detail) {
    hostLine(kLogWarn, "%s %d not served by the local host: %s", what, code, orEmpty(detail));
}

void printOrder(const char* what, const zq::HostOrderRecord& record) {
    const Norq::OrderRequest& r = record.request;
    hostLine(kLogInfo, "%s: %s %s side %d amount %d price %.4f price type %s entrust %d flag %s account %s "
             "instance %s",
                what, fixedText(record.client_order_id).c_str(), fixedText(r.symbol).c_str(), r.side, r.amount, r.price,
                fixedText(r.price_type).c_str(), r.entrust_type, fixedText(record.order_flag).c_str(),
                fixedText(record.account_id).c_str(), fixedText(record.instance_id).c_str());
}

int32_t answer(zq::HostResult* result, const std::string& text) {
    if (result) {
        result->code = 0;
        result->data = strdup(text.c_str());
    }
    return 0;
}

template <typename Row>
Push rowPush(uint32_t id, const Row& row) {
    Push push;
    push.id = id;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&row);
    push.row.assign(bytes, bytes + sizeof row);
    return push;
}

}  // namespace

LocalHost::LocalHost(Settings settings, const Market* market, SimAccount* account)
    : settings_(std::move(settings)), market_(market), account_(account) {}

bool LocalHost::takePush(Push& push) {
    if (pushes_.empty()) return false;
    push = std::move(pushes_.front());
    pushes_.pop_front();
    return true;
}

void LocalHost::reportChanges(const std::vector<size_t>& orders, const std::vector<size_t>& fills) {
    for (size_t index : orders) pushes_.push_back(rowPush(zq::kNotifyOrderReport, orderRow(account_->orders()[index])));
    std::vector<std::string> symbols;
    for (size_t index : fills) {
        const SimFill& fill = account_->fills()[index];
        const SimOrder& order = account_->orders()[fill.order];
        pushes_.push_back(rowPush(zq::kNotifyOrderReport, orderRow(order)));
        pushes_.push_back(rowPush(zq::kNotifyExecutionReport, executionRow(fill, order)));
        symbols.push_back(order.symbol);
    }
    if (fills.empty()) return;
    std::string accountId = account_->orders()[account_->fills()[fills.front()].order].accountId;
    pushes_.push_back(rowPush(zq::kNotifyFundUpdate, fundRow(*account_, accountId)));
    for (const std::string& symbol : symbols) {
        pushes_.push_back(
            rowPush(zq::kNotifyPositionUpdate, positionRow(symbol, account_->positions().at(symbol), accountId)));
    }
}

int32_t LocalHost::Request(int32_t code, const char* json, zq::HostResult* result) {
    std::string text = orEmpty(json);
    if (code == zq::kCodeQuery) return answerQuery(text, result);
    if (code == zq::kCodeTrade && account_) return cancel(text) == 0 ? answer(result, "") : kRefused;
    if (code == zq::kCodeOrderReply) return answer(result, "");
    unserved("request", code, json);
    return kRefused;
}

int32_t LocalHost::answerQuery(const std::string& json, zq::HostResult* result) {
    QJsonObject params = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object().value("params").toObject();
    int32_t msgType = params.value("msg_type").toInt();
    if (msgType == zq::kMsgCurrentTime && market_) return answer(result, hostTime(market_->clock()));
    if (msgType == zq::kMsgCurrentTime && !simulatedTime_.empty()) return answer(result, simulatedTime_);
    if (msgType == zq::kMsgSymbolList && market_) {
        QJsonArray symbols;
        for (const std::string& symbol : market_->symbols()) symbols.append(QString::fromStdString(symbol));
        return answer(result, QJsonDocument(symbols).toJson(QJsonDocument::Compact).toStdString());
    }
    QString symbol = params.value("security_symbol").toString();
    if (msgType == zq::kMsgSymbolDetail && market_ && market_->symbols().count(symbol.toStdString())) {
        return answer(result, symbolDetail(symbol.toStdString()));
    }
    unserved("query", zq::kCodeQuery, json.c_str());
    return kRefused;
}

std::string LocalHost::symbolDetail(const std::string& symbol) const {
    const int32_t lot = account_ && account_->settings().lot > 1 ? account_->settings().lot : kUsualLot;
    QString name = QString::fromStdString(symbol);
    QJsonObject detail{{"security_symbol", name}, {"security_name", name}, {"LotSize", QString::number(lot)},
                       {"TickSize", "0.01"}};
    return QJsonDocument(detail).toJson(QJsonDocument::Compact).toStdString();
}

int32_t LocalHost::cancel(const std::string& json) {
    QJsonObject params = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object().value("params").toObject();
    QJsonObject target = params.value("order_list").toArray().at(0).toObject();
    std::vector<size_t> changed;
    std::string what, reason, id;
    int32_t batchNo = 0;
    if (target.value("batch_flag").toInt() == 1) {
        batchNo = target.value("org_ord_id").toInt();
        changed = account_->cancelBatch(batchNo);
        what = "batch " + std::to_string(batchNo);
        reason = what + " has no open order";
    } else {
        what = id = target.value("org_ord_id").toString().toStdString();
        account_->cancel(id, reason, changed);
    }
    if (changed.empty()) {
        hostLine(kLogInfo, "cancel of %s refused: %s", what.c_str(), reason.c_str());
        std::string accountId = params.value("fund_account").toString().toStdString();
        const SimOrder* order = id.empty() ? nullptr : account_->find(id);
        pushes_.push_back(rowPush(zq::kNotifyOrderReport, cancelRefusalRow(order, what, accountId, batchNo, reason)));
        return kRefused;
    }
    hostLine(kLogInfo, "cancelled %s", what.c_str());
    reportChanges(changed, {});
    return 0;
}

void LocalHost::WriteLog(int32_t level, int32_t, const char* file, const char* function, const char* text, int32_t,
                         const char* userLog, bool) {
    const char* user = orEmpty(userLog);
    if (logEnabled(level)) {
        logLine(level, std::string("[") + levelName(level) + "] " + orEmpty(file) + " " + orEmpty(function) +
                           (*user ? " @" : "") + user + ": " + orEmpty(text));
    }
    noteCallbackError(orEmpty(text));
}

void LocalHost::noteCallbackError(const std::string& text) {
    if (text.compare(0, std::strlen(kStrategyThrew), kStrategyThrew) != 0) return;
    std::string rest = text.substr(std::strlen(kStrategyThrew));
    size_t reason = rest.find(kThrewReason);
    CallbackError error;
    error.callback = rest.substr(0, reason);
    if (reason != std::string::npos) error.exception = rest.substr(reason + std::strlen(kThrewReason));
    if (market_ && market_->now() != 0) error.time = displayTime(market_->now());
    callbackErrors_.push_back(std::move(error));
}

void LocalHost::CleanUserLog(const char*) {}

// Every replayed bar is pushed whatever the strategy subscribes to: the bar
// files are the subscription.
int32_t LocalHost::Subscribe(int32_t, const char*) {
    return 0;
}

int32_t LocalHost::Unsubscribe(int32_t, const char*) {
    return 0;
}

void LocalHost::UnsubscribeAll() {}

void LocalHost::GetSnapshot(const char* symbol, void* out) {
    std::memset(out, 0, zq::kSnapshotSize);
    const Bar* bar = market_ && symbol ? market_->lastBar(symbol) : nullptr;
    if (!bar) return;
    Norq::Tick tick{};
    std::strncpy(tick.symbol, bar->symbol.c_str(), sizeof tick.symbol - 1);
    tick.trading_day = bar->date();
    tick.update_time = bar->timeOfDay();
    tick.open = bar->open;
    tick.high = bar->high;
    tick.low = bar->low;
    tick.last = bar->close;
    tick.close_price = bar->close;
    tick.volume = static_cast<uint64_t>(bar->volume);
    tick.turnover = bar->amount;
    std::memcpy(out, &tick, sizeof tick);
}

void LocalHost::RegisterUserLog(const char*, const char*) {}

std::string LocalHost::GetAccountId(const char* accountTypeName) {
    return accountIdOfType(accountTypeName);
}

std::string LocalHost::accountIdOfType(const char* name) const {
    auto it = settings_.accountIds.find(orEmpty(name));
    return it == settings_.accountIds.end() ? std::string() : it->second;
}

std::string LocalHost::GetInstanceId() {
    return settings_.instanceId;
}

int32_t LocalHost::SubmitOrder(const void* record, zq::HostResult*) {
    if (!record) return kRefused;
    placeOrder(*static_cast<const zq::HostOrderRecord*>(record), 0);
    return 0;
}

void LocalHost::placeOrder(const zq::HostOrderRecord& record, int32_t batchNo) {
    if (!account_) {
        printOrder(batchNo ? "  batch order" : "order accepted", record);
        return;
    }
    size_t index = account_->place(record, batchNo, market_->now());
    const SimOrder& order = account_->orders()[index];
    if (order.status == kRejected) {
        hostLine(kLogInfo, "order %s rejected: %s", order.id.c_str(), order.reason.c_str());
    } else {
        char price[32];
        std::snprintf(price, sizeof price, order.market ? "market" : "limit %.2f", order.limit);
        hostLine(kLogInfo, "order %s accepted: %s %d %s at %s", order.id.c_str(),
                 order.side == Norq::ORDER_SIDE_BUY ? "buy" : "sell", order.amount, order.symbol.c_str(), price);
    }
    reportChanges({index}, {});
}

int32_t LocalHost::SubmitBuffer(int32_t code, const void* buffer, int32_t length, zq::HostResult*) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    size_t size = buffer && length > 0 ? static_cast<size_t>(length) : 0;
    if ((code == zq::kCodeEtfPurchase || code == zq::kCodeEtfRedemption) && !account_) {
        if (size < sizeof(zq::HostOrderRecord)) return kRefused;
        printOrder(code == zq::kCodeEtfPurchase ? "ETF creation accepted" : "ETF redemption accepted",
                   *reinterpret_cast<const zq::HostOrderRecord*>(bytes));
        return 0;
    }
    if (code == zq::kCodeBatchOrders) return acceptBatch(bytes, size);
    unserved("buffer request", code, "not simulated");
    return kRefused;
}

int32_t LocalHost::acceptBatch(const uint8_t* bytes, size_t size) {
    zq::HostBatchHeader header{};
    if (size < sizeof header) return kRefused;
    std::memcpy(&header, bytes, sizeof header);
    if (header.count < 0 || (size - sizeof header) / sizeof(zq::HostOrderRecord) < static_cast<size_t>(header.count)) {
        hostLine(kLogInfo, "batch %d refused: %zu bytes do not hold %d orders", header.batch_no, size, header.count);
        return kRefused;
    }
    hostLine(kLogInfo, "batch %d of %d orders accepted", header.batch_no, header.count);
    const uint8_t* record = bytes + sizeof header;
    for (int32_t i = 0; i < header.count; ++i, record += sizeof(zq::HostOrderRecord)) {
        zq::HostOrderRecord order;
        std::memcpy(&order, record, sizeof order);
        placeOrder(order, header.batch_no);
    }
    return 0;
}

int32_t LocalHost::GetTickLength() {
    return settings_.tickLength;
}

intptr_t LocalHost::Forward(intptr_t, intptr_t, intptr_t) {
    return 0;
}

intptr_t LocalHost::PassToHost(intptr_t, intptr_t) {
    return 0;
}

void LocalHost::GetText(std::string& out, intptr_t, intptr_t, bool) {
    out.clear();
}

}  // namespace zqhost
