// A moving-average crossover strategy: buys when the short average of bar
// closes crosses above the long one and sells when it crosses below. It shows
// how a strategy declares its parameters, reads the chosen values and logs.
#include <cstddef>
#include <cstring>
#include <deque>
#include <numeric>

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
        return params;
    }

    void onInit(Norq::IZqContext* ctx) override {
        Norq::StrategyParams* params = ctx->getRunParams();
        symbol_ = params->getStrValue("symbol");
        int shortWindow = params->getIntValue("short_window");
        int longWindow = params->getIntValue("long_window");
        volume_ = params->getIntValue("volume");
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
        // A status line every five seconds of host ticks.
        ctx->getSysApi()->registerTimer(kStatusInterval, "", "", "status");
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
            placeOrder(ctx, side == Side::Above, *bar);
        }
        side_ = side;
    }

private:
    static constexpr int32_t kStatusInterval = 5000;
    static constexpr int32_t kSideBuy = 1;
    static constexpr int32_t kSideSell = 2;

    // One order at the bar's close in the stock account. The order comes
    // back with status 1 when the host took it, all zero when it did not.
    void placeOrder(Norq::IZqContext* ctx, bool buy, const Norq::KLineDataPush& bar) {
        Norq::OrderRequest request{};
        std::strncpy(request.symbol, symbol_.str(), sizeof request.symbol - 1);
        request.amount = volume_;
        request.side = buy ? kSideBuy : kSideSell;
        request.price = bar.close;
        Norq::Order order = ctx->getSysApi()->order(Norq::ACCOUNT_STOCK, request);
        if (order.status == 0) {
            Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::placeOrder").warn()
                << (buy ? "buy " : "sell ") << volume_ << " " << symbol_ << " was not accepted, bar " << bar.datetime;
            return;
        }
        position_ += buy ? volume_ : -volume_;
        Norq::ZqLog(kFile, __LINE__, "MaCrossStrategy::placeOrder").info()
            << (buy ? "buy " : "sell ") << volume_ << " " << symbol_ << " at " << bar.close << ", bar "
            << bar.datetime << ", order " << order.order_id;
    }

    Norq::ZqString symbol_;
    int volume_ = 0;
    MovingAverage shortAverage_;
    MovingAverage longAverage_;
    enum class Side { Unknown, Above, Below };
    Side side_ = Side::Unknown;
    long long bars_ = 0;
    long long position_ = 0;
};

MaCrossStrategy strategy;

}  // namespace

extern "C" NORQ_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &strategy;
}
