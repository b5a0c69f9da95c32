// A template strategy: buys when its symbol has closed higher `run_length`
// bars in a row and sells what it holds after as many lower closes. Orders
// are market orders in the stock account; the position follows the fills.
#include <algorithm>
#include <cstring>

#include "norq/norq.h"

namespace {

class MyStrategy : public Norq::StrategyHandlerBase {
public:
    Norq::StrategyParams getParams() override {
        Norq::StrategyParams params;
        params.addStrParam("symbol", "000001.SZ", "traded security");
        params.addIntParam("run_length", 2, "higher (lower) closes in a row before buying (selling)");
        params.addIntParam("volume", 100, "shares per order");
        return params;
    }

    void onInit(Norq::IZqContext* ctx) override {
        Norq::StrategyParams* params = ctx->getRunParams();
        symbol_ = params->getStrValue("symbol");
        runLength_ = std::max(1, params->getIntValue("run_length"));
        volume_ = std::max(1, params->getIntValue("volume"));
        Norq::ZqLog(__FILE__, __LINE__, "MyStrategy::onInit").info()
            << "trading " << symbol_ << " on runs of " << runLength_ << " bars, " << volume_ << " shares an order";
    }

    void onKLine(Norq::IZqContext* ctx, const Norq::KLineDataPush* bar) override {
        if (std::strcmp(bar->symbol, symbol_.str()) != 0) return;
        if (bars_++ > 0) run_ = bar->close > last_ ? std::max(run_, 0) + 1 : bar->close < last_ ? std::min(run_, 0) - 1 : 0;
        last_ = bar->close;
        if (run_ == runLength_ && position_ == 0) order(ctx, Norq::ORDER_SIDE_BUY);
        if (run_ == -runLength_ && position_ > 0) order(ctx, Norq::ORDER_SIDE_SELL);
    }

    void onExecutionReport(Norq::IZqContext*, const Norq::Execution* fill) override {
        position_ += fill->side == Norq::ORDER_SIDE_BUY ? fill->amount : -fill->amount;
        Norq::ZqLog(__FILE__, __LINE__, "MyStrategy::onExecutionReport").info()
            << "filled " << fill->amount << " " << fill->symbol << " at " << fill->price << ", holding " << position_;
    }

    void onStop(Norq::IZqContext*) override {
        Norq::ZqLog(__FILE__, __LINE__, "MyStrategy::onStop").info()
            << "stopped after " << bars_ << " bars of " << symbol_ << ", holding " << position_;
    }

private:
    void order(Norq::IZqContext* ctx, int32_t side) {
        Norq::OrderRequest request{};
        std::strncpy(request.symbol, symbol_.str(), sizeof request.symbol - 1);
        request.amount = volume_;
        request.side = side;
        request.price = last_;
        std::strncpy(request.price_type, Norq::PRICE_TYPE_A.str(), sizeof request.price_type - 1);
        ctx->getSysApi()->order(Norq::ACCOUNT_STOCK, request);
    }

    Norq::ZqString symbol_;
    int runLength_ = 2;
    int volume_ = 100;
    long long bars_ = 0;
    int run_ = 0;  // closes higher (> 0) or lower (< 0) in a row
    double last_ = 0;
    long long position_ = 0;
};

MyStrategy strategy;

}  // namespace

extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &strategy;
}
