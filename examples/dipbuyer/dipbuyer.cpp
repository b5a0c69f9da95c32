// A dip buyer: every few minutes it bids a limit order a little below the
// last close; a bid that has not filled by the next check is cancelled and
// placed again at the new price. Holdings are sold at a profit target. It
// shows timers, limit orders, cancels and position queries.
#include <cstring>
#include <string>

#include "norq/norq.h"

namespace {

constexpr const char* kFile = "dipbuyer.cpp";
constexpr int32_t kSideBuy = 1;
constexpr int32_t kSideSell = 2;

class DipBuyer : public Norq::StrategyHandlerBase {
public:
    Norq::StrategyParams getParams() override {
        Norq::StrategyParams params;
        params.addStrParam("symbol", "000001.SZ", "traded security");
        params.addIntParam("check_every", 300, "seconds between checks");
        params.addFloatParam("dip", 0.002, "bid this share below the last close");
        params.addFloatParam("target", 0.004, "sell this share above the average cost");
        params.addIntParam("volume", 100, "shares per bid");
        return params;
    }

    void onInit(Norq::IZqContext* ctx) override {
        Norq::StrategyParams* params = ctx->getRunParams();
        symbol_ = params->getStrValue("symbol").str();
        dip_ = params->getFloatValue("dip");
        target_ = params->getFloatValue("target");
        volume_ = params->getIntValue("volume");
        int checkEvery = params->getIntValue("check_every");
        ctx->getSysApi()->registerTimer(checkEvery > 0 ? checkEvery * 1000 : 300000, "", "", "check");
    }

    void onKLine(Norq::IZqContext*, const Norq::KLineDataPush* bar) override {
        if (symbol_ == bar->symbol) lastClose_ = bar->close;
    }

    // Each check: cancel a bid left open, look at the position, bid again
    // or offer what is held at the target.
    void onTimer(Norq::IZqContext* ctx, int32_t, const char*, const char*, const char*) override {
        if (lastClose_ <= 0) return;
        Norq::INorqSysApi* api = ctx->getSysApi();
        if (!openOrder_.empty()) {
            api->cancelOrder(Norq::ACCOUNT_STOCK, openOrder_.c_str(), 0, 0);
            openOrder_.clear();
        }
        Norq::PositionList positions = api->getPositions(Norq::ACCOUNT_STOCK, symbol_.c_str());
        const Norq::Position& held = positions.get(0);
        if (held.closeable_amount > 0) {
            place(api, kSideSell, static_cast<int32_t>(held.closeable_amount), held.hold_cost * (1 + target_));
        } else if (held.total_amount == 0) {
            place(api, kSideBuy, volume_, lastClose_ * (1 - dip_));
        }
    }

    void onOrderReport(Norq::IZqContext*, const Norq::Order* order) override {
        if (order->cancel_info[0] != '\0') {
            Norq::ZqLog(kFile, __LINE__, "DipBuyer::onOrderReport").info()
                << "order " << order->order_id << ": " << order->cancel_info;
        }
    }

    void onExecutionReport(Norq::IZqContext*, const Norq::Execution* fill) override {
        if (openOrder_ == fill->order_id) openOrder_.clear();
        Norq::ZqLog(kFile, __LINE__, "DipBuyer::onExecutionReport").info()
            << (fill->side == kSideBuy ? "bought " : "sold ") << fill->amount << " " << fill->symbol << " at "
            << fill->price;
    }

private:
    void place(Norq::INorqSysApi* api, int32_t side, int32_t amount, double price) {
        Norq::OrderRequest request{};
        std::strncpy(request.symbol, symbol_.c_str(), sizeof request.symbol - 1);
        request.side = side;
        request.amount = amount;
        request.price = static_cast<int64_t>(price * 100 + 0.5) / 100.0;  // to the cent
        std::strncpy(request.price_type, Norq::PRICE_TYPE_1.str(), sizeof request.price_type - 1);
        Norq::Order order = api->order(Norq::ACCOUNT_STOCK, request);
        if (order.status != 0) openOrder_ = order.order_id;
    }

    std::string symbol_;
    std::string openOrder_;
    double lastClose_ = 0;
    double dip_ = 0;
    double target_ = 0;
    int32_t volume_ = 100;
};

DipBuyer strategy;

}  // namespace

extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &strategy;
}
