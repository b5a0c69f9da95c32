// The system API object a strategy obtains from its context. One per
// process, owned by the context. It talks to the host through the channel
// its ZqApiBase views and holds only a pointer to the context's run
// parameters, written once at creation, so any thread may call it.
#pragma once

#include <QJsonObject>
#include <string>

#include "host/zqapibase.h"
#include "norq/inorqsysapi.h"

class ZqSysApi final : public Norq::INorqSysApi, public ZqApiBase {
public:
    int32_t registerTimer(int32_t interval, const char* startTime, const char* endTime, const char* userData) override;
    int32_t registerSingleTimer(const char* triggerTime, const char* userData) override;
    int32_t subscribe(Norq::SymbolList& symbols, int32_t dataType) override;
    int32_t unsubscribe(Norq::SymbolList& symbols, int32_t dataType) override;
    int32_t unsubscribeAll() override;
    Norq::Tick getSnapshot(const char* symbol) override;
    Norq::KLineDataList getKLineData(const Norq::KLineQuery& query) override;
    Norq::KLineDataList getKLineDataFromInitDate(const Norq::KLineInitDateQuery& query) override;
    Norq::TickDataList getTicks(const char* symbol, int64_t start, int64_t end) override;
    Norq::Order order(Norq::AccountType type, const Norq::OrderRequest& request) override;
    Norq::OrderList batchOrders(Norq::AccountType type, const Norq::BatchOrderRequest& batch) override;
    Norq::Order cancelOrder(Norq::AccountType type, const char* orderId, int32_t batchNo, int32_t batchFlag) override;
    Norq::OrderList getOrders(Norq::AccountType type, const Norq::TradeQuery& query) override;
    Norq::ExecutionList getExecutions(Norq::AccountType type, const Norq::TradeQuery& query) override;
    Norq::PositionList getPositions(Norq::AccountType type, const char* symbol) override;
    Norq::FundInfo getFundInfo(Norq::AccountType type) override;
    int32_t registerMsgType(int32_t msgType) override;
    int32_t unregisterMsgType(int32_t msgType) override;
    int32_t publishCustomMsg(int32_t msgType, const char* body) override;
    Norq::SymbolList getSymbolList(const char* exchange, const char* securityType,
                                   const char* securitySubType) override;
    Norq::SecurityDetial getSymbolDetial(const char* symbol) override;
    Norq::FutureContractInfo getFutureContractInfo(const char* symbol, int32_t investType) override;
    int32_t sendInstanceId(const char* instanceId) override;
    int32_t startStrategy(const char* strategyFile, Norq::StrategyParams& params, const char* instanceName,
                          bool showDialog) override;
    Norq::ZqString getCurrentTime() override;
    int32_t sendSymbols(Norq::SymbolList& symbols) override;
    Norq::IndexComponentList getIndexComponents(const char* indexSymbol) override;
    Norq::ZqString getTextFromHost(intptr_t a, intptr_t b, bool flag) override;
    intptr_t passToHost(intptr_t value) override;
    Norq::ZqString requestFile(const char* filePath) override;
    void playSound(const char* soundId) override;
    void setInstanceRemark(const char* remark) override;
    bool showMessageBox(const char* title, const char* content, bool synchronous, int32_t width,
                        int32_t height) override;
    Norq::Order bondConvertToStock(const char* symbol, int32_t quantity, Norq::AccountType type) override;
    Norq::SecurityDetialEx getSymbolDetialEx(const char* symbol) override;
    int32_t enableOrderReply(bool enable) override;
    Norq::TickEx getSnapshotEx(const char* symbol) override;
    Norq::PositionList getPositionFromCounter(Norq::AccountType type, const char* symbol) override;
    Norq::Order orderEx(Norq::AccountType type, const Norq::OrderRequestEx& request) override;
    Norq::OrderList batchOrdersEx(Norq::AccountType type, const Norq::BatchOrderRequest& batch) override;

    // The run parameters getCurrentTime reads "operate_mode" from; the
    // context sets them once, before any strategy runs.
    void setRunParams(Norq::StrategyParams* params) { runParams_ = params; }

private:
    // run_params of a new instance: the parameters checked and parsed, and
    // the accounts the host has. False, logged, when they do not parse.
    bool instanceRunParams(Norq::StrategyParams& params, QJsonObject& runParams);
    // One order, ordinary or (flag "N") an ETF creation or redemption. An
    // empty client order id means a new one.
    Norq::Order orderImpl(Norq::AccountType type, const Norq::OrderRequest& request, const std::string& flag,
                          const std::string& clientOrderId);
    // Positions as the platform (source 0) or the broker's counter (1) sees them.
    Norq::PositionList positionsImpl(Norq::AccountType type, const char* symbol, int32_t source,
                                     const char* function);
    // Both batch forms; Request is OrderRequest or OrderRequestEx.
    template <typename Request>
    Norq::OrderList batchImpl(Norq::AccountType type, const Norq::BatchOrderRequest& batch, const char* function);

    Norq::StrategyParams* runParams_ = nullptr;  // set before any reader exists
};
