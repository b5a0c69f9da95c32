// The simulated account behind the local host: cash, positions and orders,
// and the fill model that matches orders against later bars.
//
// Fill model. An order is matched only against bars of its symbol that come
// after the bar it was placed on, so it never sees a price it could not
// have known. Market orders (price types "a" to "f" and "l") fill at that
// next bar's open. Limit orders (price type "1") fill when a bar trades
// through the limit: a buy when the bar's low is at or below it, at the
// open if the open is already at or below the limit, else at the limit; a
// sell the other way round. Slippage moves market fills against the
// trader. An order fills whole, unless partial fills are on: then a bar
// fills at most its own volume, shared by the orders it matches in the order
// they were placed. Buys hold back their cost (at the limit, or at the last
// close moved by the slippage for market orders, commission included) and
// sells their shares from the moment they are accepted; a buy is checked
// again at its fill and rejected when the cash is not there.
//
// Cost. Open orders are kept per symbol, so a bar looks only at the open
// orders of its own symbol, and by id; held-back cash and shares are running
// totals. Nothing walks the order or fill history per bar, per order or per
// fill; only a cancel of an order that has ended looks back for it.
// Owned by the replay; one thread.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "bars.h"
#include "norq/ordercodes.h"
#include "zq/hostorder.h"

namespace zqhost {

// Order statuses as the local host reports them in its order rows: the
// SDK's names, which strategies compare with.
enum OrderStatus : int32_t {
    kAccepted = Norq::ORDER_STATUS_ACCEPTED,
    kCancelled = Norq::ORDER_STATUS_CANCELLED,
    kPartiallyFilled = Norq::ORDER_STATUS_PARTIALLY_FILLED,
    kFilled = Norq::ORDER_STATUS_FILLED,
    kRejected = Norq::ORDER_STATUS_REJECTED,
};

struct SimOrder {
    std::string id;         // the strategy's client order id
    std::string entrustNo;  // the host's own number
    std::string accountId, instanceId, symbol, priceType, reason;
    int32_t side = 0, amount = 0, filled = 0, entrustType = 0, batchNo = 0;
    int32_t status = kAccepted;
    bool market = false;
    double limit = 0;
    double filledValue = 0;  // price x amount over its fills
    double reserved = 0;     // cash still held back for a buy
    int64_t placed = 0;      // the stamp of the bar it was placed on
    int32_t lastAmount = 0;
    double lastPrice = 0;

    bool open() const { return status == kAccepted || status == kPartiallyFilled; }
    double averagePrice() const { return filled > 0 ? filledValue / filled : 0; }
};

struct SimFill {
    size_t order;  // index into orders()
    std::string tradeId;
    int64_t stamp = 0;
    double price = 0;
    int32_t amount = 0;
    double commission = 0;
};

struct SimPosition {
    int64_t amount = 0;
    double cost = 0;        // what the shares held cost, commission aside
    int64_t reserved = 0;   // held back for open sells
    double lastPrice = 0;
    double commission = 0;  // charged on this symbol's fills, all days
    double realized = 0;    // sells' price less the average cost, times the amount, commission aside
    int64_t boughtToday = 0;
    int64_t dayStartAmount = 0;  // held when the current trading day began
};

// What one bar changed: orders that ended without a fill (rejected at the
// fill), then the fills made; indices into orders() and fills().
struct AccountChanges {
    std::vector<size_t> orders;
    std::vector<size_t> fills;
};

class SimAccount {
public:
    struct Settings {
        double cash = 1000000;
        double commissionRate = 0;  // of the traded value, on both sides
        bool partialFills = false;
        int32_t lot = 1;         // buys in whole multiples of it
        double slippageBps = 0;  // market fills this many 1/10000 worse
    };

    SimAccount(Settings settings, std::set<std::string> symbols);

    // Takes an order placed at `now`; it is rejected, with the reason kept,
    // when it cannot be honoured. Returns its index.
    size_t place(const zq::HostOrderRecord& record, int32_t batchNo, int64_t now);
    // Cancels an open order by client order id; the indices changed go to
    // `changed`. False, with the reason, when there is no open order of
    // that id.
    bool cancel(const std::string& id, std::string& reason, std::vector<size_t>& changed);
    // The open orders of the batch, cancelled; their indices in placement order.
    std::vector<size_t> cancelBatch(int32_t batchNo);
    // The open order of that client order id (the first placed, when ids
    // repeat), else the latest ended one, or null.
    const SimOrder* find(const std::string& id) const;
    // Starts a new trading day when the bar begins one, fills what the bar
    // allows and marks the symbol's price.
    AccountChanges onBar(const Bar& bar);

    // Asked before the order at `index` fills `amount` on a bar: answers the
    // amount to fill now (0: none on this bar), or sets `rejection` to
    // reject the order instead, reported like any rejection at the fill.
    // None by default.
    using FillGate =
        std::function<int32_t(size_t index, const SimOrder& order, int32_t amount, std::string& rejection)>;
    void setFillGate(FillGate gate) { fillGate_ = std::move(gate); }

    // Deques: they grow without moving what they hold.
    const std::deque<SimOrder>& orders() const { return orders_; }
    const std::deque<SimFill>& fills() const { return fills_; }
    const std::map<std::string, SimPosition>& positions() const { return positions_; }
    const Settings& settings() const { return settings_; }
    double cash() const { return cash_; }
    double reservedCash() const { return reservedCash_; }
    // The commission inside reservedCash().
    double reservedCommission() const {
        return reservedCash_ * settings_.commissionRate / (1 + settings_.commissionRate);
    }
    double commissionPaid() const { return commissionPaid_; }
    // The positions' realized, summed.
    double realized() const { return realized_; }
    // Equity when the current trading day began; the starting cash on the first day.
    double dayStartEquity() const { return dayStartEquity_; }
    // Whether any position holds shares.
    bool holdsShares() const { return !held_.empty(); }
    double positionsValue() const;
    double equity() const { return cash_ + positionsValue(); }

private:
    std::string refusal(const SimOrder& order) const;
    std::string lotRefusal(const SimOrder& order) const;
    double heldPrice(const SimOrder& order) const;
    void reserve(SimOrder& order);
    void release(SimOrder& order);
    void setReserved(SimOrder& order, double amount);
    void cancelAt(size_t index, std::vector<size_t>& changed);
    void ended(size_t index);
    void updateHeld(const std::string& symbol, const SimPosition& position);
    size_t indexOf(const std::string& id) const;
    void startDay(const Bar& bar);
    void rejectAtFill(size_t index, const std::string& reason, AccountChanges& changes);
    void fillFrom(size_t index, const Bar& bar, double& volumeLeft, AccountChanges& changes);
    double commissionOf(double value) const { return value * settings_.commissionRate; }

    Settings settings_;
    std::set<std::string> symbols_;
    double cash_;
    std::deque<SimOrder> orders_;
    std::deque<SimFill> fills_;
    std::map<std::string, SimPosition> positions_;
    // The positions with shares, in the same order: the equity is marked
    // every bar, and most symbols of a wide market hold nothing.
    std::map<std::string, const SimPosition*> held_;
    // Open orders of each symbol in placement order; an order that ended is
    // dropped at the symbol's next bar.
    std::unordered_map<std::string, std::vector<size_t>> open_;
    // Open orders by client order id. Ended orders are looked up, newest
    // first, only when a cancel names one: an index of the whole history
    // would cost a cache miss per order once it outgrows the cache.
    std::unordered_map<std::string, size_t> openById_;
    double reservedCash_ = 0;    // the sum of the open buys' reserved
    int64_t reservingBuys_ = 0;  // open buys holding cash; at 0 the sum is exactly 0 again
    double commissionPaid_ = 0;
    double realized_ = 0;
    double dayStartEquity_;
    int32_t day_ = 0;  // yyyyMMdd of the latest bar, 0 before the first
    FillGate fillGate_;
};

}  // namespace zqhost
