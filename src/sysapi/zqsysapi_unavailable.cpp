// The system-API operations this build does not offer yet. Each answers
// with the empty result the finished operation gives on failure and logs
// one error line, so a strategy that calls one learns why nothing happened.
#include "norq/zqlog.h"
#include "sysapi/zqsysapi.h"

namespace {

void unavailable(int line, const char* function) {
    Norq::ZqLog("zqsysapi", line, function).error() << "此版本暂不支持该接口：" << function;
}

}  // namespace


int32_t ZqSysApi::registerTimer(int32_t, const char*, const char*, const char*) {
    unavailable(__LINE__, "ZqSysApi::registerTimer");
    return -1;
}

int32_t ZqSysApi::registerSingleTimer(const char*, const char*) {
    unavailable(__LINE__, "ZqSysApi::registerSingleTimer");
    return -1;
}

int32_t ZqSysApi::subscribe(Norq::SymbolList&, int32_t) {
    unavailable(__LINE__, "ZqSysApi::subscribe");
    return -1;
}

int32_t ZqSysApi::unsubscribe(Norq::SymbolList&, int32_t) {
    unavailable(__LINE__, "ZqSysApi::unsubscribe");
    return -1;
}

int32_t ZqSysApi::unsubscribeAll() {
    unavailable(__LINE__, "ZqSysApi::unsubscribeAll");
    return 0;
}

Norq::Tick ZqSysApi::getSnapshot(const char*) {
    unavailable(__LINE__, "ZqSysApi::getSnapshot");
    return Norq::Tick{};
}

Norq::KLineDataList ZqSysApi::getKLineData(const Norq::KLineQuery&) {
    unavailable(__LINE__, "ZqSysApi::getKLineData");
    return Norq::KLineDataList();
}

Norq::KLineDataList ZqSysApi::getKLineDataFromInitDate(const Norq::KLineInitDateQuery&) {
    unavailable(__LINE__, "ZqSysApi::getKLineDataFromInitDate");
    return Norq::KLineDataList();
}

Norq::TickDataList ZqSysApi::getTicks(const char*, int64_t, int64_t) {
    unavailable(__LINE__, "ZqSysApi::getTicks");
    return Norq::TickDataList();
}

Norq::OrderList ZqSysApi::getOrders(Norq::AccountType, const Norq::TradeQuery&) {
    unavailable(__LINE__, "ZqSysApi::getOrders");
    return Norq::OrderList();
}

Norq::ExecutionList ZqSysApi::getExecutions(Norq::AccountType, const Norq::TradeQuery&) {
    unavailable(__LINE__, "ZqSysApi::getExecutions");
    return Norq::ExecutionList();
}

Norq::PositionList ZqSysApi::getPositions(Norq::AccountType, const char*) {
    unavailable(__LINE__, "ZqSysApi::getPositions");
    return Norq::PositionList();
}

Norq::FundInfo ZqSysApi::getFundInfo(Norq::AccountType) {
    unavailable(__LINE__, "ZqSysApi::getFundInfo");
    return Norq::FundInfo{};
}

int32_t ZqSysApi::registerMsgType(int32_t) {
    unavailable(__LINE__, "ZqSysApi::registerMsgType");
    return -1;
}

int32_t ZqSysApi::unregisterMsgType(int32_t) {
    unavailable(__LINE__, "ZqSysApi::unregisterMsgType");
    return -1;
}

int32_t ZqSysApi::publishCustomMsg(int32_t, const char*) {
    unavailable(__LINE__, "ZqSysApi::publishCustomMsg");
    return -1;
}

Norq::SymbolList ZqSysApi::getSymbolList(const char*, const char*, const char*) {
    unavailable(__LINE__, "ZqSysApi::getSymbolList");
    return Norq::SymbolList();
}

Norq::SecurityDetial ZqSysApi::getSymbolDetial(const char*) {
    unavailable(__LINE__, "ZqSysApi::getSymbolDetial");
    return Norq::SecurityDetial{};
}

Norq::FutureContractInfo ZqSysApi::getFutureContractInfo(const char*, int32_t) {
    unavailable(__LINE__, "ZqSysApi::getFutureContractInfo");
    return Norq::FutureContractInfo{};
}

int32_t ZqSysApi::sendInstanceId(const char*) {
    unavailable(__LINE__, "ZqSysApi::sendInstanceId");
    return -1;
}

int32_t ZqSysApi::startStrategy(const char*, Norq::StrategyParams&, const char*, bool) {
    unavailable(__LINE__, "ZqSysApi::startStrategy");
    return -1;
}

Norq::ZqString ZqSysApi::getCurrentTime() {
    unavailable(__LINE__, "ZqSysApi::getCurrentTime");
    return Norq::ZqString();
}

int32_t ZqSysApi::sendSymbols(Norq::SymbolList&) {
    unavailable(__LINE__, "ZqSysApi::sendSymbols");
    return -1;
}

Norq::IndexComponentList ZqSysApi::getIndexComponents(const char*) {
    unavailable(__LINE__, "ZqSysApi::getIndexComponents");
    return Norq::IndexComponentList();
}

Norq::ZqString ZqSysApi::getTextFromHost(intptr_t, intptr_t, bool) {
    unavailable(__LINE__, "ZqSysApi::getTextFromHost");
    return Norq::ZqString();
}

intptr_t ZqSysApi::passToHost(intptr_t) {
    unavailable(__LINE__, "ZqSysApi::passToHost");
    return 0;
}

Norq::ZqString ZqSysApi::requestFile(const char*) {
    unavailable(__LINE__, "ZqSysApi::requestFile");
    return Norq::ZqString();
}

void ZqSysApi::playSound(const char*) {
    unavailable(__LINE__, "ZqSysApi::playSound");
}

void ZqSysApi::setInstanceRemark(const char*) {
    unavailable(__LINE__, "ZqSysApi::setInstanceRemark");
}

bool ZqSysApi::showMessageBox(const char*, const char*, bool, int32_t, int32_t) {
    unavailable(__LINE__, "ZqSysApi::showMessageBox");
    return false;
}

Norq::Order ZqSysApi::bondConvertToStock(const char*, int32_t, Norq::AccountType) {
    unavailable(__LINE__, "ZqSysApi::bondConvertToStock");
    return Norq::Order{};
}

Norq::SecurityDetialEx ZqSysApi::getSymbolDetialEx(const char*) {
    unavailable(__LINE__, "ZqSysApi::getSymbolDetialEx");
    return Norq::SecurityDetialEx{};
}

Norq::TickEx ZqSysApi::getSnapshotEx(const char*) {
    unavailable(__LINE__, "ZqSysApi::getSnapshotEx");
    return Norq::TickEx{};
}

Norq::PositionList ZqSysApi::getPositionFromCounter(Norq::AccountType, const char*) {
    unavailable(__LINE__, "ZqSysApi::getPositionFromCounter");
    return Norq::PositionList();
}
