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

