// The interface a strategy library implements and returns from its export
//
//   extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler();
//
// The slot order is the binary interface: never reorder, insert or remove.
// The adapter never destroys the handler. Record pointers point to
// temporaries that live only for the call: copy what you keep.
#pragma once

#include <cstdint>

#include "norq/strategyparams.h"

namespace Norq {

class IZqContext;
struct KLineDataPush;
struct Order;
struct Execution;
struct EtfEstimateInfo;
struct FundInfo;
struct Position;
struct OrderReply;

// clang-format off
class IStrategyHandler {
public:
    virtual StrategyParams getParams() = 0;                                         // 0
    virtual void onInit(IZqContext* ctx) = 0;                                      // 1
    // The onNotifyNNNN callbacks are named by their notification id
    // (zq/hostcodes.h); `payload` is the host's record, handed on unread and
    // alive only for the call. 1071 and 1083 carry nothing.
    virtual void onNotify1071(IZqContext* ctx) = 0;                                // 2
    virtual void onNotify1000(IZqContext* ctx, const void* payload) = 0;           // 3
    virtual void onKLine(IZqContext* ctx, const KLineDataPush* bar) = 0;           // 4
    virtual void onNotify1057(IZqContext* ctx, const void* payload) = 0;           // 5
    virtual void onNotify1056(IZqContext* ctx, const void* payload) = 0;           // 6
    virtual void onOrderReport(IZqContext* ctx, const Order* order) = 0;           // 7
    virtual void onExecutionReport(IZqContext* ctx, const Execution* exec) = 0;    // 8
    virtual void onEtfEstimateInfo(IZqContext* ctx, const EtfEstimateInfo* info) = 0;  // 9
    virtual void onRunParamsChanged(IZqContext* ctx, const char* params, const char* filePath) = 0;  // 10
    virtual void onTradeDate1005(IZqContext* ctx, int32_t tradeDate) = 0;          // 11
    virtual void onTradeDate1006(IZqContext* ctx, int32_t tradeDate) = 0;          // 12
    virtual void onNotify1083(IZqContext* ctx) = 0;                                // 13
    virtual void onStop(IZqContext* ctx) = 0;                                      // 14
    virtual void onTimer(IZqContext* ctx, int32_t interval, const char* startTime,
                         const char* endTime, const char* userData) = 0;           // 15
    virtual void onSingleTimer(IZqContext* ctx, const char* triggerTime,
                               const char* userData) = 0;                          // 16
    virtual void onCustomMessage(IZqContext* ctx, int32_t msgId, const void* payload) = 0;  // 17
    virtual void onParamWindow(IZqContext* ctx, const char* params, const char* title) = 0;  // 18
    virtual void onUserInput(IZqContext* ctx, const char* userInput) = 0;          // 19
    virtual void onForward(IZqContext* ctx, intptr_t value) = 0;                   // 20
    virtual void onFundUpdate(IZqContext* ctx, const FundInfo* fund) = 0;          // 21
    virtual void onPositionUpdate(IZqContext* ctx, const Position* position) = 0;  // 22
    virtual void onNotify1089(IZqContext* ctx, const void* payload) = 0;           // 23
    virtual void onOrderReply(IZqContext* ctx, const OrderReply* reply) = 0;       // 24
};
// clang-format on

// The name of the export the adapter looks up in a strategy library.
constexpr const char* kStrategyHandlerExport = "getStrategyHandler";
using GetStrategyHandlerFn = IStrategyHandler* (*)();

}  // namespace Norq
