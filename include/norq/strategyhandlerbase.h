// A starting point for strategy handlers: every callback does nothing, so a
// strategy overrides only what it needs (getParams is always its own).
#pragma once

#include "norq/istrategyhandler.h"

namespace Norq {

class StrategyHandlerBase : public IStrategyHandler {
public:
    void onInit(IZqContext*) override {}
    void onNotify1071(IZqContext*) override {}
    void onNotify1000(IZqContext*, const void*) override {}
    void onKLine(IZqContext*, const KLineDataPush*) override {}
    void onNotify1057(IZqContext*, const void*) override {}
    void onNotify1056(IZqContext*, const void*) override {}
    void onOrderReport(IZqContext*, const Order*) override {}
    void onExecutionReport(IZqContext*, const Execution*) override {}
    void onEtfEstimateInfo(IZqContext*, const EtfEstimateInfo*) override {}
    void onRunParamsChanged(IZqContext*, const char*, const char*) override {}
    void onTradeDate1005(IZqContext*, int32_t) override {}
    void onTradeDate1006(IZqContext*, int32_t) override {}
    void onNotify1083(IZqContext*) override {}
    void onStop(IZqContext*) override {}
    void onTimer(IZqContext*, int32_t, const char*, const char*, const char*) override {}
    void onSingleTimer(IZqContext*, const char*, const char*) override {}
    void onCustomMessage(IZqContext*, int32_t, const void*) override {}
    void onParamWindow(IZqContext*, const char*, const char*) override {}
    void onUserInput(IZqContext*, const char*) override {}
    void onForward(IZqContext*, intptr_t) override {}
    void onFundUpdate(IZqContext*, const FundInfo*) override {}
    void onPositionUpdate(IZqContext*, const Position*) override {}
    void onNotify1089(IZqContext*, const void*) override {}
    void onOrderReply(IZqContext*, const OrderReply*) override {}
};

}  // namespace Norq
