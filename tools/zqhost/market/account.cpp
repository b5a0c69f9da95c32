#include "account.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "fixedtext.h"

namespace zqhost {

namespace {

constexpr int32_t kBuy = 1;
constexpr int32_t kSell = 2;
constexpr double kBasisPoint = 0.0001;
constexpr size_t kNone = static_cast<size_t>(-1);
constexpr const char* kLimitPriceType = "1";
constexpr const char* kMarketPriceTypes[] = {"a", "b", "c", "d", "e", "f", "l"};

bool isMarketType(const std::string& type) {
    for (const char* market : kMarketPriceTypes) {
        if (type == market) return true;
    }
    return false;
}

std::string money(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// The price a bar fills an order at, or 0 when it does not reach it.
double fillPrice(const SimOrder& order, const Bar& bar, double slippageBps) {
    if (order.market) {
        if (slippageBps == 0) return bar.open;
        return bar.open * (order.side == kBuy ? 1 + slippageBps * kBasisPoint : 1 - slippageBps * kBasisPoint);
    }
    if (order.side == kBuy && bar.low <= order.limit) return bar.open <= order.limit ? bar.open : order.limit;
    if (order.side == kSell && bar.high >= order.limit) return bar.open >= order.limit ? bar.open : order.limit;
    return 0;
}

}  // namespace

SimAccount::SimAccount(Settings settings, std::set<std::string> symbols)
    : settings_(settings), symbols_(std::move(symbols)), cash_(settings.cash), dayStartEquity_(settings.cash) {}

double SimAccount::positionsValue() const {
    double value = 0;
    for (const auto& [symbol, position] : held_) value += position->amount * position->lastPrice;
    return value;
}

void SimAccount::updateHeld(const std::string& symbol, const SimPosition& position) {
    if (position.amount != 0) {
        held_.emplace(symbol, &position);
    } else {
        held_.erase(symbol);
    }
}

const SimOrder* SimAccount::find(const std::string& id) const {
    size_t index = indexOf(id);
    return index == kNone ? nullptr : &orders_[index];
}

size_t SimAccount::indexOf(const std::string& id) const {
    auto open = openById_.find(id);
    if (open != openById_.end()) return open->second;
    for (size_t i = orders_.size(); i-- > 0;) {
        if (orders_[i].id == id) return i;
    }
    return kNone;
}

size_t SimAccount::place(const zq::HostOrderRecord& record, int32_t batchNo, int64_t now) {
    SimOrder order;
    order.id = fixedText(record.client_order_id);
    order.entrustNo = "E" + std::to_string(orders_.size() + 1);
    order.accountId = fixedText(record.account_id);
    order.instanceId = fixedText(record.instance_id);
    order.symbol = fixedText(record.request.symbol);
    order.priceType = fixedText(record.request.price_type);
    order.side = record.request.side;
    order.amount = record.request.amount;
    order.entrustType = record.request.entrust_type;
    order.batchNo = batchNo;
    order.limit = record.request.price;
    order.market = isMarketType(order.priceType);
    order.placed = now;
    order.reason = refusal(order);
    size_t index = orders_.size();
    if (order.reason.empty()) {
        reserve(order);
        open_[order.symbol].push_back(index);
        openById_.emplace(order.id, index);
    } else {
        order.status = kRejected;
    }
    orders_.push_back(std::move(order));
    return index;
}

// What a buy is expected to cost a share: its limit, or for a market buy the
// last close moved by the slippage.
double SimAccount::heldPrice(const SimOrder& order) const {
    if (!order.market) return order.limit;
    double last = positions_.at(order.symbol).lastPrice;
    return settings_.slippageBps == 0 ? last : last * (1 + settings_.slippageBps * kBasisPoint);
}

// Why the order cannot be taken, or empty when it can.
std::string SimAccount::refusal(const SimOrder& order) const {
    if (!symbols_.count(order.symbol)) return "no market data for symbol '" + order.symbol + "'";
    if (order.side != kBuy && order.side != kSell) {
        return "side " + std::to_string(order.side) + " is neither buy (1) nor sell (2)";
    }
    if (order.amount <= 0) return "amount " + std::to_string(order.amount) + " is not positive";
    if (!order.market && order.priceType != kLimitPriceType) {
        return "price type '" + order.priceType + "' is not simulated (use \"1\" for limit, \"a\"-\"f\" or \"l\" for market)";
    }
    if (!order.market && !(order.limit > 0)) return "limit price " + money(order.limit) + " is not positive";
    auto position = positions_.find(order.symbol);
    if (order.market && (position == positions_.end() || position->second.lastPrice <= 0)) {
        return "no price of " + order.symbol + " yet for a market order";
    }
    std::string lot = lotRefusal(order);
    if (!lot.empty()) return lot;
    if (order.side == kBuy) {
        double price = heldPrice(order);
        double needed = price * order.amount + commissionOf(price * order.amount);
        double available = cash_ - reservedCash_;
        if (needed > available) return "insufficient cash: needs " + money(needed) + ", available " + money(available);
        return "";
    }
    int64_t closeable = position == positions_.end() ? 0 : position->second.amount - position->second.reserved;
    if (order.amount > closeable) {
        return "insufficient position: selling " + std::to_string(order.amount) + " of " + order.symbol +
               ", closeable " + std::to_string(closeable);
    }
    return "";
}

// Buys come in whole lots; a sell may also carry the odd shares held, all
// of them at once.
std::string SimAccount::lotRefusal(const SimOrder& order) const {
    const int32_t lot = settings_.lot;
    if (lot <= 1 || order.amount % lot == 0) return "";
    auto position = positions_.find(order.symbol);
    int64_t odd = order.side == kBuy || position == positions_.end() ? 0 : position->second.amount % lot;
    if (odd != 0 && order.amount % lot == odd) return "";
    std::string reason =
        "amount " + std::to_string(order.amount) + " is not a multiple of the lot " + std::to_string(lot);
    if (odd != 0) reason += " (nor whole lots and the " + std::to_string(odd) + " odd shares held)";
    return reason;
}

void SimAccount::reserve(SimOrder& order) {
    if (order.side == kSell) {
        positions_[order.symbol].reserved += order.amount;
        return;
    }
    double price = heldPrice(order);
    ++reservingBuys_;
    setReserved(order, price * order.amount + commissionOf(price * order.amount));
}

// Keeps the running total equal to the open buys' sum; once no buy holds
// cash, it is exactly 0 again, whatever rounding the sums left.
void SimAccount::setReserved(SimOrder& order, double amount) {
    reservedCash_ += amount - order.reserved;
    order.reserved = amount;
    if (reservingBuys_ == 0) reservedCash_ = 0;
}

void SimAccount::release(SimOrder& order) {
    if (order.side == kSell) {
        positions_[order.symbol].reserved -= order.amount - order.filled;
        return;
    }
    --reservingBuys_;
    setReserved(order, 0);
}

bool SimAccount::cancel(const std::string& id, std::string& reason, std::vector<size_t>& changed) {
    size_t index = indexOf(id);
    if (index == kNone || !orders_[index].open()) {
        reason = index == kNone ? "no order " + id : "order " + id + " is no longer open";
        return false;
    }
    cancelAt(index, changed);
    return true;
}

void SimAccount::cancelAt(size_t index, std::vector<size_t>& changed) {
    SimOrder& order = orders_[index];
    release(order);
    order.status = kCancelled;
    order.reason = "cancelled by the strategy";
    ended(index);
    changed.push_back(index);
}

// Drops the order from the id index; it stays in its symbol's open list
// until that symbol's next bar.
void SimAccount::ended(size_t index) {
    auto it = openById_.find(orders_[index].id);
    if (it != openById_.end() && it->second == index) openById_.erase(it);
}

std::vector<size_t> SimAccount::cancelBatch(int32_t batchNo) {
    std::vector<size_t> batch;
    for (const auto& [symbol, open] : open_) {
        for (size_t index : open) {
            if (orders_[index].batchNo == batchNo && orders_[index].open()) batch.push_back(index);
        }
    }
    std::sort(batch.begin(), batch.end());
    std::vector<size_t> changed;
    for (size_t index : batch) cancelAt(index, changed);
    return changed;
}

AccountChanges SimAccount::onBar(const Bar& bar) {
    AccountChanges changes;
    if (bar.date() != day_) startDay(bar);
    auto open = open_.find(bar.symbol);
    if (open != open_.end()) {
        double volumeLeft = settings_.partialFills ? std::floor(bar.volume) : 0;
        std::vector<size_t>& indices = open->second;
        size_t kept = 0;
        for (size_t index : indices) {
            if (orders_[index].open() && orders_[index].placed < bar.stamp) fillFrom(index, bar, volumeLeft, changes);
            if (orders_[index].open()) indices[kept++] = index;
        }
        indices.resize(kept);
    }
    positions_[bar.symbol].lastPrice = bar.close;
    return changes;
}

// The day's figures start from the last marked prices, before the new bar.
void SimAccount::startDay(const Bar& bar) {
    if (day_ != 0) dayStartEquity_ = equity();
    day_ = bar.date();
    for (auto& [symbol, position] : positions_) {
        position.boughtToday = 0;
        position.dayStartAmount = position.amount;
    }
}

// The order ends rejected when it would fill, its reservation released, and
// the strategy is told through its order report.
void SimAccount::rejectAtFill(size_t index, const std::string& reason, AccountChanges& changes) {
    SimOrder& order = orders_[index];
    release(order);
    order.status = kRejected;
    order.reason = reason;
    ended(index);
    changes.orders.push_back(index);
}

// `volumeLeft` is what the bar can still fill when partial fills are on.
void SimAccount::fillFrom(size_t index, const Bar& bar, double& volumeLeft, AccountChanges& changes) {
    SimOrder& order = orders_[index];
    double price = fillPrice(order, bar, settings_.slippageBps);
    if (price <= 0) return;
    int32_t amount = order.amount - order.filled;
    if (settings_.partialFills) amount = static_cast<int32_t>(std::fmin(amount, volumeLeft));
    if (fillGate_) {
        std::string rejection;
        amount = fillGate_(index, order, amount, rejection);
        if (!rejection.empty()) return rejectAtFill(index, rejection, changes);
    }
    if (amount <= 0) return;
    double value = price * amount;
    double commission = commissionOf(value);
    SimPosition& position = positions_[order.symbol];
    if (order.side == kBuy) {
        double available = cash_ - reservedCash_ + order.reserved;
        if (value + commission > available) {
            return rejectAtFill(index,
                                "insufficient cash at the fill price " + money(price) + ": needs " +
                                    money(value + commission) + ", available " + money(available),
                                changes);
        }
        double share = order.reserved * amount / (order.amount - order.filled);
        setReserved(order, order.reserved - share);
        cash_ -= value + commission;
        position.amount += amount;
        position.boughtToday += amount;
        position.cost += value;
    } else {
        double averageCost = position.amount > 0 ? position.cost / position.amount : 0;
        position.realized += (price - averageCost) * amount;
        realized_ += (price - averageCost) * amount;
        cash_ += value - commission;
        position.cost -= averageCost * amount;
        position.amount -= amount;
        position.reserved -= amount;
    }
    if (settings_.partialFills) volumeLeft -= amount;
    updateHeld(order.symbol, position);
    position.commission += commission;
    commissionPaid_ += commission;
    order.filled += amount;
    order.filledValue += value;
    order.lastAmount = amount;
    order.lastPrice = price;
    order.status = order.filled == order.amount ? kFilled : kPartiallyFilled;
    if (order.status == kFilled) ended(index);
    if (order.status == kFilled && order.side == kBuy) release(order);
    fills_.push_back(SimFill{index, "T" + std::to_string(fills_.size() + 1), bar.stamp, price, amount, commission});
    changes.fills.push_back(fills_.size() - 1);
}

}  // namespace zqhost
