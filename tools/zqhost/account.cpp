#include "account.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "fixedtext.h"

namespace zqhost {

namespace {

constexpr int32_t kBuy = 1;
constexpr int32_t kSell = 2;
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
double fillPrice(const SimOrder& order, const Bar& bar) {
    if (order.market) return bar.open;
    if (order.side == kBuy && bar.low <= order.limit) return bar.open <= order.limit ? bar.open : order.limit;
    if (order.side == kSell && bar.high >= order.limit) return bar.open >= order.limit ? bar.open : order.limit;
    return 0;
}

}  // namespace

SimAccount::SimAccount(Settings settings, std::set<std::string> symbols)
    : settings_(settings), symbols_(std::move(symbols)), cash_(settings.cash) {}

double SimAccount::reservedCash() const {
    double reserved = 0;
    for (const SimOrder& order : orders_) reserved += order.reserved;
    return reserved;
}

double SimAccount::positionsValue() const {
    double value = 0;
    for (const auto& [symbol, position] : positions_) value += position.amount * position.lastPrice;
    return value;
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
    if (order.reason.empty()) {
        reserve(order);
    } else {
        order.status = kRejected;
    }
    orders_.push_back(std::move(order));
    return orders_.size() - 1;
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
    if (order.side == kBuy) {
        double price = order.market ? position->second.lastPrice : order.limit;
        double needed = price * order.amount + commissionOf(price * order.amount);
        double available = cash_ - reservedCash();
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

void SimAccount::reserve(SimOrder& order) {
    if (order.side == kSell) {
        positions_[order.symbol].reserved += order.amount;
        return;
    }
    double price = order.market ? positions_[order.symbol].lastPrice : order.limit;
    order.reserved = price * order.amount + commissionOf(price * order.amount);
}

void SimAccount::release(SimOrder& order) {
    if (order.side == kSell) positions_[order.symbol].reserved -= order.amount - order.filled;
    order.reserved = 0;
}

bool SimAccount::cancel(const std::string& id, std::string& reason, std::vector<size_t>& changed) {
    for (size_t i = 0; i < orders_.size(); ++i) {
        SimOrder& order = orders_[i];
        if (order.id != id) continue;
        if (!order.open()) {
            reason = "order " + id + " is no longer open";
            return false;
        }
        release(order);
        order.status = kCancelled;
        order.reason = "cancelled by the strategy";
        changed.push_back(i);
        return true;
    }
    reason = "no order " + id;
    return false;
}

std::vector<size_t> SimAccount::cancelBatch(int32_t batchNo) {
    std::vector<size_t> changed;
    std::string reason;
    for (const SimOrder& order : orders_) {
        if (order.batchNo == batchNo && order.open()) cancel(order.id, reason, changed);
    }
    return changed;
}

std::vector<size_t> SimAccount::onBar(const Bar& bar) {
    std::vector<size_t> fills;
    for (SimOrder& order : orders_) {
        if (order.open() && order.symbol == bar.symbol && order.placed < bar.stamp) fillFrom(order, bar, fills);
    }
    positions_[bar.symbol].lastPrice = bar.close;
    return fills;
}

bool SimAccount::fillFrom(SimOrder& order, const Bar& bar, std::vector<size_t>& fills) {
    double price = fillPrice(order, bar);
    if (price <= 0) return false;
    int32_t amount = order.amount - order.filled;
    if (settings_.partialFills) amount = static_cast<int32_t>(std::fmin(amount, std::floor(bar.volume)));
    if (fillGate_) {
        std::string rejection;
        amount = fillGate_(order, amount, rejection);
        if (!rejection.empty()) {
            release(order);
            order.status = kRejected;
            order.reason = rejection;
            return false;
        }
    }
    if (amount <= 0) return false;
    double value = price * amount;
    double commission = commissionOf(value);
    SimPosition& position = positions_[order.symbol];
    if (order.side == kBuy) {
        double share = order.reserved * amount / (order.amount - order.filled);
        if (value + commission > cash_ - reservedCash() + order.reserved) {
            release(order);
            order.status = kCancelled;
            order.reason = "insufficient cash at the fill price " + money(price);
            return false;
        }
        order.reserved -= share;
        cash_ -= value + commission;
        position.amount += amount;
        position.cost += value;
    } else {
        double averageCost = position.amount > 0 ? position.cost / position.amount : 0;
        cash_ += value - commission;
        position.cost -= averageCost * amount;
        position.amount -= amount;
        position.reserved -= amount;
    }
    order.filled += amount;
    order.filledValue += value;
    order.lastAmount = amount;
    order.lastPrice = price;
    order.status = order.filled == order.amount ? kFilled : kPartiallyFilled;
    if (order.status == kFilled) order.reserved = 0;
    fills_.push_back(SimFill{static_cast<size_t>(&order - orders_.data()), "T" + std::to_string(fills_.size() + 1),
                             bar.stamp, price, amount, commission});
    fills.push_back(fills_.size() - 1);
    return true;
}

}  // namespace zqhost
