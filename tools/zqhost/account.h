// The simulated account behind the local host: cash, positions and orders,
// and the fill model that matches orders against later bars.
//
// Fill model. An order is matched only against bars of its symbol that come
// after the bar it was placed on, so it never sees a price it could not
// have known. Market orders (price types "a" to "f" and "l") fill at that
// next bar's open. Limit orders (price type "1") fill when a bar trades
// through the limit: a buy when the bar's low is at or below it, at the
// open if the open is already at or below the limit, else at the limit; a
// sell the other way round. An order fills whole, unless partial fills are
// on: then a bar fills at most its own volume. Buys hold back their cost
// (at the limit, or the last close for market orders, commission included)
// and sells their shares from the moment they are accepted.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bars.h"
#include "zq/hostorder.h"

namespace zqhost {

// Order statuses as the local host reports them in its order rows.
enum OrderStatus : int32_t {
    kAccepted = 1,
    kCancelled = 5,
    kPartiallyFilled = 7,
    kFilled = 8,
    kRejected = 9,
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
};

class SimAccount {
public:
    struct Settings {
        double cash = 1000000;
        double commissionRate = 0;  // of the traded value, on both sides
        bool partialFills = false;
    };

    SimAccount(Settings settings, std::set<std::string> symbols);

    // Takes an order placed at `now`; it is rejected, with the reason kept,
    // when it cannot be honoured. Returns its index.
    size_t place(const zq::HostOrderRecord& record, int32_t batchNo, int64_t now);
    // Cancels an open order by client order id; the indices changed go to
    // `changed`. False, with the reason, when there is no open order of
    // that id.
    bool cancel(const std::string& id, std::string& reason, std::vector<size_t>& changed);
    std::vector<size_t> cancelBatch(int32_t batchNo);
    // Marks the symbol's price and fills what the bar allows; returns the
    // indices of the fills made.
    std::vector<size_t> onBar(const Bar& bar);

    // Asked before an order fills `amount` on a bar: answers the amount to
    // fill now (0: none on this bar), or sets `rejection` to reject the
    // order instead, its reservation released. None by default.
    using FillGate = std::function<int32_t(const SimOrder& order, int32_t amount, std::string& rejection)>;
    void setFillGate(FillGate gate) { fillGate_ = std::move(gate); }

    const std::vector<SimOrder>& orders() const { return orders_; }
    const std::vector<SimFill>& fills() const { return fills_; }
    const std::map<std::string, SimPosition>& positions() const { return positions_; }
    double cash() const { return cash_; }
    double reservedCash() const;
    double positionsValue() const;
    double equity() const { return cash_ + positionsValue(); }

private:
    std::string refusal(const SimOrder& order) const;
    void reserve(SimOrder& order);
    void release(SimOrder& order);
    bool fillFrom(SimOrder& order, const Bar& bar, std::vector<size_t>& fills);
    double commissionOf(double value) const { return value * settings_.commissionRate; }

    Settings settings_;
    std::set<std::string> symbols_;
    double cash_;
    std::vector<SimOrder> orders_;
    std::vector<SimFill> fills_;
    std::map<std::string, SimPosition> positions_;
    FillGate fillGate_;
};

}  // namespace zqhost
