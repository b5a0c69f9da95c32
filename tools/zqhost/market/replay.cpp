#include "replay.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "interruption.h"
#include "progressline.h"
#include "zq/hostcodes.h"

namespace zqhost {

namespace {

constexpr int64_t kProgressCheckEvery = 4096;  // bars between looks at the clock
// A price chart draws at most 1 500 points (chart.h); four points a stretch are
// enough, and many symbols keep little each.
constexpr size_t kPriceBuckets = 512;

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

Replay::Replay(zq::IZqScriptAdapter& adapter, LocalHost& host, const BarCatalog& catalog, BarStream& stream,
               Market& market, SimAccount& account, CallWatch& watch)
    : adapter_(adapter),
      host_(host),
      catalog_(catalog),
      stream_(stream),
      market_(market),
      account_(account),
      watch_(watch),
      curve_(account.equity()) {}

bool Replay::warmUp(std::string& error) {
    const Bar* next = nullptr;
    Bar bar;
    while ((next = stream_.peek()) && next->stamp < catalog_.start) {
        if (!stream_.next(bar, error)) return error.empty();
        market_.remember(bar);
    }
    return error.empty();
}

bool Replay::run(bool progress, std::string& error) {
    Bar bar;
    ProgressLine shown(progress);
    while (!interruptRequested() && stream_.next(bar, error) && bar.stamp <= catalog_.end) {
        deliverBar(bar);
        if (progress && market_.delivered() % kProgressCheckEvery == 0) {
            shown.update(market_.delivered(), catalog_.delivered, market_.now());
        }
    }
    shown.clear();
    if (!error.empty()) return false;
    takeEquityPoint();
    if (market_.delivered() > 0 && !interruptRequested()) {
        deliverText(zq::kNotifyDayEnds, dayJson(market_.now()), "the end of the last trading day");
    }
    if (tap_) tap_->finished();
    return true;
}

void Replay::deliverBar(const Bar& bar) {
    if (pending_ && pendingStamp_ != bar.stamp) takeEquityPoint();
    int64_t previous = market_.now();
    market_.advance(bar);
    announceDay(bar, previous);
    host_.reportChanges(account_.onBar(bar));
    drain();
    deliverText(zq::kNotifyBar, stream_.pushText(), bar.symbol.c_str());
    if (bar.seconds != lastTickSeconds_) tick(bar);
    sample(bar);
}

// One tick per bar time. The first tick has length 0, so periodic timers
// count from the start of the replay.
void Replay::tick(const Bar& bar) {
    int64_t elapsedMs = lastTickSeconds_ < 0 ? 0 : (bar.seconds - lastTickSeconds_) * 1000;
    host_.setTickLength(static_cast<int32_t>(std::min<int64_t>(elapsedMs, INT32_MAX)));
    lastTickSeconds_ = bar.seconds;
    writeHostTime(bar.stamp, tickText_);
    tickText_[kHostTimeBytes] = '\0';
    deliverText(zq::kNotifyTimerTick, tickText_, "the timer tick");
}

void Replay::announceDay(const Bar& bar, int64_t previous) {
    if (previous != 0 && previous / 1000000 == bar.stamp / 1000000) return;
    if (previous != 0) deliverText(zq::kNotifyDayEnds, dayJson(previous), "the end of a trading day");
    deliverText(zq::kNotifyDayBegins, dayJson(bar.stamp), "the start of a trading day");
}

void Replay::deliverText(uint32_t id, const std::string& text, const char* what) {
    deliverText(id, text.c_str(), what);
}

void Replay::deliverText(uint32_t id, const char* text, const char* what) {
    if (tap_) tap_->delivering(Push{id, {}, text});
    deliver(id, text, what);
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
    while (source_ ? source_->takePush(push) : host_.takePush(push)) {
        if (tap_) tap_->delivering(push);
        zq::NotifyMessage message{push.id, push.payload()};
        watch_.begin(push.id, "a report of the simulated account", market_.now());
        adapter_.OnNotifyMessage(&message);
        watch_.end();
    }
}

// One equity point per bar time, taken after the time's last bar: nothing
// happens between that bar's tick and the next time's first bar.
void Replay::sample(const Bar& bar) {
    auto closes = closes_.find(bar.symbol);
    if (closes == closes_.end()) closes = closes_.emplace(bar.symbol, SeriesReducer(kPriceBuckets)).first;
    closes->second.add(bar.stamp, bar.close);
    pending_ = true;
    pendingStamp_ = bar.stamp;
    pendingSeconds_ = bar.seconds;
}

void Replay::takeEquityPoint() {
    if (!pending_) return;
    pending_ = false;
    const double equity = account_.equity();
    curve_.add(equity, pendingSeconds_, pendingStamp_, account_.holdsShares());
    equity_.add(pendingStamp_, equity);
}

RunResult Replay::result(const std::string& strategy, double startingCash) const {
    RunResult result;
    result.strategy = strategy;
    result.bars = market_.delivered();
    if (result.bars > 0) {
        result.firstBar = displayTime(market_.firstStamp());
        result.lastBar = displayTime(market_.now());
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
    for (const SeriesPoint& p : equity_.points()) result.equity.push_back(EquityPoint{displayTime(p.tag), p.value});
    for (const auto& [symbol, closes] : closes_) {
        SymbolPrices prices{symbol, {}};
        for (const SeriesPoint& p : closes.points()) prices.closes.push_back(PricePoint{displayTime(p.tag), p.value});
        result.prices.push_back(std::move(prices));
    }
    result.curve = nameTimes(curve_.stats(), displayTime);
    return result;
}

}  // namespace zqhost
