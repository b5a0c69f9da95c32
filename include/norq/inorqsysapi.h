// The system API: orders, cancels, queries, market data, reference data,
// timers, custom messages and strategy-instance services. Strategies obtain
// it from their context (IZqContext::getSysApi) and never delete it. Every
// operation runs on the calling thread and has finished with the host when
// it returns. Failures never throw: they give a zero record, an empty list
// or text, or a negative number, and write one log line saying why.
// Texts are NUL-terminated UTF-8 and stay the caller's. The slot order is the
// binary interface: never reorder, insert or remove.
#pragma once

#include <cstdint>

#include "norq/lists.h"
#include "norq/records.h"
#include "norq/requests.h"
#include "norq/strategyparams.h"
#include "norq/zqstring.h"

namespace Norq {

// clang-format off
class INorqSysApi {
public:
    virtual int32_t registerTimer(int32_t interval, const char* startTime, const char* endTime,
                                  const char* userData) = 0;                                       // 0
    virtual int32_t registerSingleTimer(const char* triggerTime, const char* userData) = 0;       // 1
    virtual int32_t subscribe(SymbolList& symbols, int32_t dataType) = 0;                         // 2
    virtual int32_t unsubscribe(SymbolList& symbols, int32_t dataType) = 0;                       // 3
    virtual int32_t unsubscribeAll() = 0;                                                          // 4
    virtual Tick getSnapshot(const char* symbol) = 0;                                              // 5
    virtual KLineDataList getKLineData(const KLineQuery& query) = 0;                               // 6
    virtual KLineDataList getKLineDataFromInitDate(const KLineInitDateQuery& query) = 0;           // 7
    virtual TickDataList getTicks(const char* symbol, int64_t start, int64_t end) = 0;            // 8
    // Submits one order. On acceptance the Order describes what was sent
    // (status 1, order_id the client order id); otherwise it is all zero.
    virtual Order order(AccountType type, const OrderRequest& request) = 0;                       // 9
    // Submits `count` OrderRequest elements in one batch; one Order per
    // request (status 1, its client order id, fund_account set).
    virtual OrderList batchOrders(AccountType type, const BatchOrderRequest& batch) = 0;          // 10
    // Cancels one order (batchFlag other than 1: by orderId) or a whole
    // batch (batchFlag 1: by batchNo). The Order carries the cancel's own
    // id; the outcome arrives later as an order report.
    virtual Order cancelOrder(AccountType type, const char* orderId, int32_t batchNo,
                              int32_t batchFlag) = 0;                                              // 11
    virtual OrderList getOrders(AccountType type, const TradeQuery& query) = 0;                   // 12
    virtual ExecutionList getExecutions(AccountType type, const TradeQuery& query) = 0;           // 13
    virtual PositionList getPositions(AccountType type, const char* symbol) = 0;                  // 14
    virtual FundInfo getFundInfo(AccountType type) = 0;                                            // 15
    virtual int32_t registerMsgType(int32_t msgType) = 0;                                          // 16
    virtual int32_t unregisterMsgType(int32_t msgType) = 0;                                        // 17
    virtual int32_t publishCustomMsg(int32_t msgType, const char* body) = 0;                      // 18
    virtual SymbolList getSymbolList(const char* exchange, const char* securityType,
                                     const char* securitySubType) = 0;                             // 19
    virtual SecurityDetial getSymbolDetial(const char* symbol) = 0;                                // 20
    virtual FutureContractInfo getFutureContractInfo(const char* symbol, int32_t investType) = 0; // 21
    virtual int32_t sendInstanceId(const char* instanceId) = 0;                                    // 22
    virtual int32_t startStrategy(const char* strategyFile, StrategyParams& params,
                                  const char* instanceName, bool showDialog) = 0;                  // 23
    virtual ZqString getCurrentTime() = 0;                                                         // 24
    virtual int32_t sendSymbols(SymbolList& symbols) = 0;                                          // 25
    virtual IndexComponentList getIndexComponents(const char* indexSymbol) = 0;                    // 26
    // a, b and flag go to the host's GetText unchanged; the text it writes
    // comes back. What they select is agreed between strategy and host.
    virtual ZqString getTextFromHost(intptr_t a, intptr_t b, bool flag) = 0;                      // 27
    virtual intptr_t passToHost(intptr_t value) = 0;                                               // 28
    virtual ZqString requestFile(const char* filePath) = 0;                                        // 29
    virtual void playSound(const char* soundId) = 0;                                               // 30
    virtual void setInstanceRemark(const char* remark) = 0;                                        // 31
    virtual bool showMessageBox(const char* title, const char* content, bool synchronous,
                                int32_t width, int32_t height) = 0;                                // 32
    virtual Order bondConvertToStock(const char* symbol, int32_t quantity, AccountType type) = 0; // 33
    virtual SecurityDetialEx getSymbolDetialEx(const char* symbol) = 0;                            // 34
    // Switches the host's order replies on or off: 0 done, -1 refused.
    virtual int32_t enableOrderReply(bool enable) = 0;                                             // 35
    virtual TickEx getSnapshotEx(const char* symbol) = 0;                                          // 36
    virtual PositionList getPositionFromCounter(AccountType type, const char* symbol) = 0;        // 37
    // As order, with the request's flag and client order id.
    virtual Order orderEx(AccountType type, const OrderRequestEx& request) = 0;                   // 38
    // As batchOrders over OrderRequestEx elements; ETF orders cannot be batched.
    virtual OrderList batchOrdersEx(AccountType type, const BatchOrderRequest& batch) = 0;        // 39
};
// clang-format on

}  // namespace Norq
