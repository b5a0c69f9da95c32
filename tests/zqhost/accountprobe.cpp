// A strategy for the local host's run tests, built like an author's from the
// public SDK headers: it places the market orders its parameters ask for on
// given bars, cancels on request, and logs what it is told, so that a test
// reads the account's behaviour from zqhost's output alone. Its orders are
// numbered #1, #2, ... in placement order. Log lines: "clock at init/stop:
// TIME", "report #N status S filled F: CANCEL_INFO[ withdrawn W]", "day
// begins: POSITION" on the first bar of each later day, "timer TIME after bar
// N", "fund: ..." and "stop: POSITION".
#include <cstring>
#include <string>
#include <vector>

#include "norq/norq.h"

namespace {

constexpr const char *kFile = "accountprobe.cpp", *kSymbol = "600000.SH";
constexpr int32_t kSideBuy = 1, kSideSell = 2;

class AccountProbe : public Norq::StrategyHandlerBase {
public:
    Norq::StrategyParams getParams() override {
        Norq::StrategyParams params;
        params.addIntParam("buy_at", 0, "bar after which to buy (0: never)");
        params.addIntParam("buys", 1, "buy orders placed on that bar");
        params.addIntParam("volume", 100, "shares per order");
        params.addIntParam("sell_at", 0, "bar after which to sell volume at market (0: never)");
        params.addIntParam("cancel_at", 0, "bar after which to cancel order #1 (0: never)");
        params.addStrParam("timer_at", "", "time of day \"hh:mm:ss zzz\" of a single timer; empty: none");
        return params;
    }

    void onInit(Norq::IZqContext* ctx) override {
        Norq::StrategyParams* params = ctx->getRunParams();
        buyAt_ = params->getIntValue("buy_at");
        buys_ = params->getIntValue("buys");
        volume_ = params->getIntValue("volume");
        sellAt_ = params->getIntValue("sell_at");
        cancelAt_ = params->getIntValue("cancel_at");
        std::string timer = params->getStrValue("timer_at").str();
        if (!timer.empty()) ctx->getSysApi()->registerSingleTimer(timer.c_str(), "");
        Norq::ZqString now = ctx->getSysApi()->getCurrentTime();
        Norq::ZqLog(kFile, __LINE__, "AccountProbe::onInit").info() << "clock at init: " << now;
    }

    void onKLine(Norq::IZqContext* ctx, const Norq::KLineDataPush* bar) override {
        if (std::strcmp(bar->symbol, kSymbol) != 0) return;
        ++bars_;
        Norq::INorqSysApi* api = ctx->getSysApi();
        std::string day = std::string(bar->datetime).substr(0, std::string(bar->datetime).find(' '));
        if (!day_.empty() && day != day_) {
            Norq::ZqLog(kFile, __LINE__, "AccountProbe::onKLine").info() << "day begins: " << position(api).c_str();
        }
        day_ = day;
        for (int i = 0; bars_ == buyAt_ && i < buys_; ++i) place(api, kSideBuy);
        if (bars_ == sellAt_) place(api, kSideSell);
        if (bars_ == cancelAt_ && !ids_.empty()) api->cancelOrder(Norq::ACCOUNT_STOCK, ids_.front().c_str(), 0, 0);
    }

    void onOrderReport(Norq::IZqContext*, const Norq::Order* order) override {
        Norq::ZqLog(kFile, __LINE__, "AccountProbe::onOrderReport").info()
            << "report #" << static_cast<int>(number(order->order_id)) << " status " << order->status << " filled "
            << order->filled << ": " << order->cancel_info
            << (order->withdraw_amount ? " withdrawn " + std::to_string(order->withdraw_amount) : "").c_str();
    }

    void onSingleTimer(Norq::IZqContext*, const char* time, const char*) override {
        Norq::ZqLog(kFile, __LINE__, "AccountProbe::onSingleTimer").info() << "timer " << time << " after bar " << bars_;
    }

    void onStop(Norq::IZqContext* ctx) override {
        Norq::INorqSysApi* api = ctx->getSysApi();
        Norq::FundInfo fund = api->getFundInfo(Norq::ACCOUNT_STOCK);
        Norq::ZqLog(kFile, __LINE__, "AccountProbe::onStop").info()
            << "fund: account " << fund.fund_account << " commission " << fund.commission << " frozen "
            << fund.frozen_commission << " pre_balance " << fund.pre_balance << " realized "
            << fund.close_profit_by_trade;
        Norq::ZqLog(kFile, __LINE__, "AccountProbe::onStop").info() << "stop: " << position(api).c_str();
        Norq::ZqString now = api->getCurrentTime();
        Norq::ZqLog(kFile, __LINE__, "AccountProbe::onStop").info() << "clock at stop: " << now;
    }

private:
    void place(Norq::INorqSysApi* api, int32_t side) {
        Norq::OrderRequest request{};
        std::strncpy(request.symbol, kSymbol, sizeof request.symbol - 1);
        std::strncpy(request.price_type, Norq::PRICE_TYPE_A.str(), sizeof request.price_type - 1);
        request.amount = volume_;
        request.side = side;
        ids_.push_back(api->order(Norq::ACCOUNT_STOCK, request).order_id);
    }

    size_t number(const char* id) const {
        for (size_t i = 0; i < ids_.size(); ++i) {
            if (ids_[i] == id) return i + 1;
        }
        return 0;
    }

    std::string position(Norq::INorqSysApi* api) const {
        Norq::PositionList positions = api->getPositions(Norq::ACCOUNT_STOCK, kSymbol);
        if (positions.getSize() == 0) return "no position";
        const Norq::Position& p = positions.get(0);
        return "amount " + std::to_string(p.total_amount) + " today " + std::to_string(p.today_amount) + " init " +
               std::to_string(p.init_amount) + " commission " + std::to_string(p.commission) + " realized " +
               std::to_string(p.close_profit_by_trade);
    }

    std::string day_;
    int buyAt_ = 0, buys_ = 1, volume_ = 100, sellAt_ = 0, cancelAt_ = 0, bars_ = 0;
    std::vector<std::string> ids_;
};

AccountProbe strategy;

}  // namespace

extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &strategy;
}
