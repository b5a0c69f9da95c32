// A strategy that leaves its decisions to Python: when it starts it registers
// pystrategy.py, found beside its own library, hands each bar of its symbol
// to the file's on_bar as JSON and buys or sells as on_bar answers, holding
// at most one lot. It shows how a strategy loads a Python file and calls its
// functions.
#include <cstdio>
#include <cstring>
#include <string>

#include "norq/norq.h"

namespace {

constexpr const char* kFile = "pystrategy.cpp";

class PyStrategy : public Norq::StrategyHandlerBase {
public:
    Norq::StrategyParams getParams() override {
        Norq::StrategyParams params;
        params.addStrParam("symbol", "600000.SH", "traded security");
        params.addIntParam("window", 5, "bars a close must break out of");
        params.addIntParam("volume", 100, "shares per order");
        return params;
    }

    void onInit(Norq::IZqContext* ctx) override {
        Norq::StrategyParams* params = ctx->getRunParams();
        symbol_ = params->getStrValue("symbol");
        volume_ = params->getIntValue("volume");
        if (symbol_.length() == 0) symbol_ = Norq::ZqString("600000.SH");
        if (volume_ <= 0) volume_ = 100;
        python_ = ctx->getPythonExecutor();
        std::string library = ctx->getStrategyPath().str();
        std::string script = library.substr(0, library.find_last_of("/\\") + 1) + "pystrategy.py";
        module_ = python_->registerPythonFile(script.c_str());
        if (module_ == 0) {
            Norq::ZqLog(kFile, __LINE__, "PyStrategy::onInit").error() << "cannot load " << script.c_str();
            return;
        }
        std::string start = "{\"window\":" + std::to_string(params->getIntValue("window")) + "}";
        Norq::ZqString rule = python_->callPythonFunc(module_, "on_start", start.c_str());
        Norq::ZqLog(kFile, __LINE__, "PyStrategy::onInit").info()
            << "started on " << symbol_ << ", python decides: " << rule;
    }

    void onKLine(Norq::IZqContext* ctx, const Norq::KLineDataPush* bar) override {
        if (module_ == 0 || std::strcmp(bar->symbol, symbol_.str()) != 0) return;
        char json[96];
        std::snprintf(json, sizeof json, "{\"close\":%.4f,\"datetime\":\"%s\"}", bar->close, bar->datetime);
        Norq::ZqString side = python_->callPythonFunc(module_, "on_bar", json);
        if (side == Norq::ZqString("buy") && !holding_) holding_ = placeOrder(ctx, kSideBuy, *bar);
        if (side == Norq::ZqString("sell") && holding_) holding_ = !placeOrder(ctx, kSideSell, *bar);
    }

private:
    static constexpr int32_t kSideBuy = 1;
    static constexpr int32_t kSideSell = 2;

    // A limit order at the bar's close in the stock account; true when the
    // host took it.
    bool placeOrder(Norq::IZqContext* ctx, int32_t side, const Norq::KLineDataPush& bar) {
        Norq::OrderRequest request{};
        std::strncpy(request.symbol, symbol_.str(), sizeof request.symbol - 1);
        request.amount = volume_;
        request.side = side;
        request.price = bar.close;
        std::strncpy(request.price_type, Norq::PRICE_TYPE_1.str(), sizeof request.price_type - 1);
        Norq::Order order = ctx->getSysApi()->order(Norq::ACCOUNT_STOCK, request);
        Norq::ZqLog(kFile, __LINE__, "PyStrategy::placeOrder").info()
            << (side == kSideBuy ? "buy " : "sell ") << volume_ << " " << symbol_ << " at " << bar.close
            << (order.status == 0 ? " not accepted" : ", order ") << order.order_id;
        return order.status != 0;
    }

    Norq::ZqString symbol_;
    int volume_ = 0;
    Norq::IPythonExecutor* python_ = nullptr;
    int64_t module_ = 0;
    bool holding_ = false;  // an accepted buy not yet followed by a sell
};

PyStrategy strategy;

}  // namespace

extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &strategy;
}
