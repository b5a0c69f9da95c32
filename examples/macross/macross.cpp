// A moving-average crossover strategy: buys when the short average of bar
// closes crosses above the long one and sells when it crosses below (only
// what it holds, unless allow_short). It shows how a strategy declares its
// parameters, reads the chosen values, places market orders, follows its
// fills through execution reports (each counted once, however often it is
// reported), uses a timer and logs.
#include <cstddef>
#include <cstring>
#include <deque>
#include <numeric>
#include <set>
#include <string>

#include "norq/norq.h"

namespace {

constexpr const char* kFile = "macross.cpp";

class MovingAverage {
public:
    void setWindow(int window) { window_ = window > 0 ? static_cast<std::size_t>(window) : 1; }
    void add(double value) {
        values_.push_back(value);
        if (values_.size() > window_) values_.pop_front();
    }
    bool ready() const { return values_.size() == window_; }
    double value() const { return std::accumulate(values_.begin(), values_.end(), 0.0) / values_.size(); }

private:
    std::size_t window_ = 1;
    std::deque<double> values_;
};

class MaCrossStrategy : public Norq::StrategyHandlerBase {
public:
    Norq::StrategyParams getParams() override {
        Norq::StrategyParams params;
        params.addStrParam("symbol", "600000.SH", "traded security");
        params.addIntParam("short_window", 5, "bars in the short average");
        params.addIntParam("long_window", 20, "bars in the long average");
        params.addIntParam("volume", 100, "shares per order");
        params.addListParam("period", "kline_1m,kline_5m,kline_1d", 0, "bar period");
        params.addBoolParam("allow_short", false, "sell without a position");
        params.addIntParam("status_every", 1800, "seconds between status lines");
        return params;
    }

    void onInit(Norq::IZqContext* ctx) override {
        Norq::StrategyParams* params = ctx->getRunParams();
        symbol_ = params->getStrValue("symbol");
        int shortWindow = params->getIntValue("short_window");
        int longWindow = params->getIntValue("long_window");
        volume_ = params->getIntValue("volume");
        allowShort_ = params->getBoolValue("allow_short");
        int statusEvery = params->getIntValue("status_every");
        if (symbol_.length() == 0) symbol_ = Norq::ZqString("600000.SH");
        if (volume_ <= 0) volume_ = 100;
        if (shortWindow <= 0 || longWindow <= shortWindow) {
            Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::onInit").warn()
                << "windows " << shortWindow << "/" << longWindow << " unusable, falling back to 5/20";
            shortWindow = 5;
            longWindow = 20;
        }
        shortAverage_.setWindow(shortWindow);
        longAverage_.setWindow(longWindow);
        // Timer intervals count the host's tick lengths, in milliseconds.
        if (statusEvery > 0) ctx->getSysApi()->registerTimer(statusEvery * 1000, "", "", "status");
        Norq::ZqString account = ctx->getAccountId(Norq::ACCOUNT_STOCK);
        Norq::ZqString path = ctx->getStrategyPath();
        Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::onInit").info()
            << "started " << path << " on " << symbol_ << ", averages " << shortWindow << "/" << longWindow
            << ", volume " << volume_ << ", stock account " << (account.length() ? account.str() : "(none)");
    }

    void onTimer(Norq::IZqContext*, int32_t, const char*, const char*, const char*) override {
        Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::onTimer").info()
            << "status: " << symbol_ << " after " << bars_ << " bars, position " << position_;
    }

    void onStop(Norq::IZqContext*) override {
        Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::onStop").info()
            << "stopped on " << symbol_ << " after " << bars_ << " bars, position " << position_;
    }

    void onKLine(Norq::IZqContext* ctx, const Norq::KLineDataPush* bar) override {
        if (std::strcmp(bar->symbol, symbol_.str()) != 0) return;
        ++bars_;
        shortAverage_.add(bar->close);
        longAverage_.add(bar->close);
        if (!longAverage_.ready()) return;
        Side side = shortAverage_.value() > longAverage_.value() ? Side::Above : Side::Below;
        // The first full window only tells where the averages stand; a signal
        // needs a crossing from a side already seen.
        if (side_ != Side::Unknown && side != side_) {
            bool buy = side == Side::Above;
            if (buy || position_ > 0 || allowShort_) placeOrder(ctx, buy, *bar);
        }
        side_ = side;
    }

private:
    static constexpr int32_t kSideBuy = 1;
    static constexpr int32_t kSideSell = 2;

    // One market order in the stock account. The order comes back with
    // status 1 when the host took it, all zero when it did not; the fills
    // and any refusal arrive later as reports.
    void placeOrder(Norq::IZqContext* ctx, bool buy, const Norq::KLineDataPush& bar) {
        Norq::OrderRequest request{};
        std::strncpy(request.symbol, symbol_.str(), sizeof request.symbol - 1);
        request.amount = volume_;
        request.side = buy ? kSideBuy : kSideSell;
        request.price = bar.close;
        std::strncpy(request.price_type, Norq::PRICE_TYPE_A.str(), sizeof request.price_type - 1);
        Norq::Order order = ctx->getSysApi()->order(Norq::ACCOUNT_STOCK, request);
        if (order.status == 0) {
            Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::placeOrder").warn()
                << (buy ? "buy " : "sell ") << volume_ << " " << symbol_ << " was not accepted, bar " << bar.datetime;
            return;
        }
        Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::placeOrder").info()
            << (buy ? "buy " : "sell ") << volume_ << " " << symbol_ << " at market, bar " << bar.datetime
            << " closed at " << bar.close << ", order " << order.order_id;
    }

    // A client may deliver a report twice; a fill is counted once, by its trade id.
    void onExecutionReport(Norq::IZqContext*, const Norq::Execution* fill) override {
        std::string trade(fill->trade_id, strnlen(fill->trade_id, sizeof fill->trade_id));
        if (!trade.empty() && !seenTrades_.insert(trade).second) {
            Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::onExecutionReport").warn()
                << "fill " << fill->trade_id << " reported again, not counted";
            return;
        }
        // Widened before negating: the host may report any int32, -2^31 included.
        const long long amount = fill->amount;
        position_ += fill->side == kSideBuy ? amount : -amount;
        Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::onExecutionReport").info()
            << "filled " << fill->amount << " " << fill->symbol << " at " << fill->price << ", position "
            << position_;
    }

    // A refusal or cancel says why in cancel_info.
    void onOrderReport(Norq::IZqContext*, const Norq::Order* order) override {
        if (order->cancel_info[0] == '\0') return;
        Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::onOrderReport").warn()
            << "order " << order->order_id << " ended: " << order->cancel_info;
    }

    Norq::ZqString symbol_;
    int volume_ = 0;
    bool allowShort_ = false;
    MovingAverage shortAverage_;
    MovingAverage longAverage_;
    enum class Side { Unknown, Above, Below };
    Side side_ = Side::Unknown;
    long long bars_ = 0;
    long long position_ = 0;
    std::set<std::string> seenTrades_;
};

MaCrossStrategy strategy;

}  // namespace

extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &strategy;
}
