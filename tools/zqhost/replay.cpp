#include "replay.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "zq/hostcodes.h"

namespace zqhost {

namespace {

constexpr size_t kProgressEvery = 5000;

void appendJsonText(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) continue;
        out += c;
    }
    out += '"';
}

void appendNumber(std::string& out, const char* key, double value) {
    char text[64];
    std::snprintf(text, sizeof text, ",\"%s\":%.17g", key, value);
    out += text;
}

// The bar push as the trading client sends it. Written by hand: this is the
// replay's hot path, and a JSON document costs more than the bar itself.
std::string barJson(const Bar& bar) {
    std::string json = "{\"security_symbol\":";
    json.reserve(256);
    appendJsonText(json, bar.symbol);
    json += ",\"timestamp\":\"" + displayTime(bar.stamp) + "\"";
    appendNumber(json, "open", bar.open);
    appendNumber(json, "high", bar.high);
    appendNumber(json, "low", bar.low);
    appendNumber(json, "close", bar.close);
    appendNumber(json, "volume", bar.volume);
    appendNumber(json, "money", bar.amount);
    json += ",\"num_trades\":0,\"period_type\":\"kline_1m\"}";
    return json;
}

std::string dayJson(int64_t stamp) {
    return "{\"timestamp\":\"" + hostTime(stamp) + "\"}";
}

std::string statusName(const SimOrder& order) {
    switch (order.status) {
    case kFilled: return "filled";
    case kPartiallyFilled: return "partially filled";
    case kCancelled: return "cancelled";
    case kRejected: return "rejected";
    default: return "open";
    }
}

}  // namespace

Replay::Replay(zq::IZqScriptAdapter& adapter, LocalHost& host, Market& market, SimAccount& account, CallWatch& watch)
    : adapter_(adapter), host_(host), market_(market), account_(account), watch_(watch) {}

void Replay::run(bool progress) {
    const std::vector<Bar>& bars = market_.bars();
    for (size_t i = 0; i < bars.size(); ++i) {
        deliverBar(i);
        if (progress && (i + 1) % kProgressEvery == 0) {
            std::fprintf(stderr, "\r[HOST] replayed %zu of %zu bars", i + 1, bars.size());
        }
    }
    if (progress) std::fprintf(stderr, "\r%60s\r", "");
    if (!bars.empty()) deliverText(zq::kNotifyDayEnds, dayJson(bars.back().stamp), "the end of the last trading day");
    if (tap_) tap_->finished();
}

void Replay::deliverBar(size_t index) {
    const Bar& bar = market_.bars()[index];
    int64_t previous = market_.now();
    market_.advanceTo(index);
    announceDay(bar, previous);
    host_.reportChanges({}, account_.onBar(bar));
    drain();
    deliverText(zq::kNotifyBar, barJson(bar), bar.symbol.c_str());
    if (bar.seconds != lastTickSeconds_) tick(bar);
    sample(bar);
}

// One tick per bar time. The first tick has length 0, so periodic timers
// count from the start of the replay.
void Replay::tick(const Bar& bar) {
    int64_t elapsedMs = lastTickSeconds_ < 0 ? 0 : (bar.seconds - lastTickSeconds_) * 1000;
    host_.setTickLength(static_cast<int32_t>(std::min<int64_t>(elapsedMs, INT32_MAX)));
    lastTickSeconds_ = bar.seconds;
    deliverText(zq::kNotifyTimerTick, hostTime(bar.stamp), "the timer tick");
}

void Replay::announceDay(const Bar& bar, int64_t previous) {
    if (previous != 0 && previous / 1000000 == bar.stamp / 1000000) return;
    if (previous != 0) deliverText(zq::kNotifyDayEnds, dayJson(previous), "the end of a trading day");
    deliverText(zq::kNotifyDayBegins, dayJson(bar.stamp), "the start of a trading day");
}

void Replay::deliverText(uint32_t id, const std::string& text, const char* what) {
    if (tap_) tap_->delivering(Push{id, {}, text});
    deliver(id, text.c_str(), what);
}

void Replay::deliver(uint32_t id, const void* payload, const char* what) {
    zq::NotifyMessage message{id, payload};
    watch_.begin(id, what, market_.now());
    adapter_.OnNotifyMessage(&message);
    watch_.end();
    drain();
}

void Replay::drain() {
    Push push;
    while (host_.takePush(push)) {
        if (tap_) tap_->delivering(push);
        zq::NotifyMessage message{push.id, push.payload()};
        watch_.begin(push.id, "a report of the simulated account", market_.now());
        adapter_.OnNotifyMessage(&message);
        watch_.end();
    }
}

// One equity point per bar time, taken after the time's last bar.
void Replay::sample(const Bar& bar) {
    closes_[bar.symbol].emplace_back(bar.stamp, bar.close);
    if (!equity_.empty() && equity_.back().first == bar.stamp) {
        equity_.back().second = account_.equity();
    } else {
        equity_.emplace_back(bar.stamp, account_.equity());
    }
}

RunResult Replay::result(const std::string& strategy, double startingCash) const {
    RunResult result;
    const std::vector<Bar>& bars = market_.bars();
    result.strategy = strategy;
    result.bars = static_cast<int64_t>(bars.size());
    if (!bars.empty()) {
        result.firstBar = displayTime(bars.front().stamp);
        result.lastBar = displayTime(bars.back().stamp);
    }
    result.startingCash = startingCash;
    result.finalCash = account_.cash();
    result.finalEquity = account_.equity();
    for (const SimOrder& o : account_.orders()) {
        result.orders.push_back(OrderSummary{o.id, o.symbol, o.side, o.market ? 0 : o.limit, o.amount, o.filled,
                                             statusName(o), displayTime(o.placed), o.reason});
    }
    for (const SimFill& f : account_.fills()) {
        const SimOrder& o = account_.orders()[f.order];
        result.fills.push_back(Fill{o.id, o.symbol, displayTime(f.stamp), o.side, f.price, f.amount, f.commission});
    }
    for (const auto& [symbol, p] : account_.positions()) {
        if (p.amount == 0) continue;
        result.positions.push_back(PositionSummary{symbol, p.amount, p.cost / p.amount, p.lastPrice});
    }
    for (const auto& [stamp, equity] : equity_) result.equity.push_back(EquityPoint{displayTime(stamp), equity});
    for (const auto& [symbol, closes] : closes_) {
        SymbolPrices prices{symbol, {}};
        for (const auto& [stamp, close] : closes) prices.closes.push_back(PricePoint{displayTime(stamp), close});
        result.prices.push_back(std::move(prices));
    }
    return result;
}

}  // namespace zqhost
