// Security reference data of the system API, asked of the host in JSON
// (zq::kCodeQuery), and the bond-to-stock conversion order.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstring>

#include "convert/zqstructassembler.h"
#include "host/accounttype.h"
#include "host/hostorderbuilder.h"
#include "norq/constants.h"
#include "sdk/textcopy.h"
#include "sysapi/sysapilog.h"
#include "sysapi/zqsysapi.h"
#include "zq/hostcodes.h"

namespace {

constexpr size_t kShortestSymbol = 6;
constexpr size_t kLongestBondSymbol = 13;
constexpr int32_t kDefaultRoundLot = 100;
constexpr const char* kBadSymbol = "查询标的详情失败,原因：输入代码非法";

bool isUsableSymbol(const char* symbol) {
    return symbol && std::strlen(symbol) >= kShortestSymbol;
}

QString textOrEmpty(const char* text) {
    return QString::fromUtf8(text ? text : "");
}

// What a refused or unanswered detail query gives: nothing but the usual lot.
Norq::SecurityDetialEx unknownSecurity() {
    Norq::SecurityDetialEx detail{};
    detail.round_lot = kDefaultRoundLot;
    return detail;
}

}  // namespace

Norq::SymbolList ZqSysApi::getSymbolList(const char* exchange, const char* securityType, const char* securitySubType) {
    Norq::SymbolList symbols;
    if (!exchange) {
        sysapi::errorLine(__LINE__, "ZqSysApi::getSymbolList") << "查询标的详情失败,原因：输入市场非法";
        return symbols;
    }
    QJsonObject params{{"msg_type", zq::kMsgSymbolList},
                       {"exchange_type", QString::fromUtf8(exchange)},
                       {"security_type", textOrEmpty(securityType)},
                       {"security_sub_type", textOrEmpty(securitySubType)}};
    HostReply reply = channel().request(zq::kCodeQuery, params);
    if (!reply.usable()) return symbols;
    QJsonDocument answer = QJsonDocument::fromJson(QByteArray::fromStdString(reply.text));
    for (const QJsonValue& symbol : answer.array()) symbols.put(symbol.toString().toUtf8().constData());
    return symbols;
}

Norq::SecurityDetial ZqSysApi::getSymbolDetial(const char* symbol) {
    // The first 224 bytes of what the extended query answers for the symbol.
    Norq::SecurityDetialEx detail = static_cast<Norq::INorqSysApi*>(this)->getSymbolDetialEx(symbol);
    return static_cast<const Norq::SecurityDetial&>(detail);
}

Norq::SecurityDetialEx ZqSysApi::getSymbolDetialEx(const char* symbol) {
    if (!isUsableSymbol(symbol)) {
        sysapi::errorLine(__LINE__, "ZqSysApi::getSymbolDetialEx") << kBadSymbol;
        return unknownSecurity();
    }
    QJsonObject params{{"msg_type", zq::kMsgSymbolDetail}, {"security_symbol", QString::fromUtf8(symbol)}};
    HostReply reply = channel().request(zq::kCodeQuery, params);
    if (!reply.usable()) return unknownSecurity();
    Norq::SecurityDetialEx detail{};
    ZqStructAssembler::assembleSecurityDetial(reply.text, detail);
    return detail;
}

Norq::FutureContractInfo ZqSysApi::getFutureContractInfo(const char* symbol, int32_t investType) {
    Norq::FutureContractInfo info{};
    if (!isUsableSymbol(symbol)) {
        sysapi::errorLine(__LINE__, "ZqSysApi::getFutureContractInfo") << "查询期货合约信息失败,原因：输入代码非法";
        return info;
    }
    std::string account = channel().accountOrLog(Norq::ACCOUNT_FUTURES, [] {
        sysapi::errorLine(__LINE__, "ZqSysApi::getFutureContractInfo") << "未找到期货账号，查询期货合约信息失败";
    });
    if (account.empty()) return info;
    QJsonObject params{{"msg_type", zq::kMsgFutureContract},
                       {"security_symbol", QString::fromUtf8(symbol)},
                       {"fund_account", QString::fromStdString(account)},
                       {"invest_type", QString::number(investType)}};
    HostReply reply = channel().request(zq::kCodeQuery, params);
    if (reply.usable()) ZqStructAssembler::assembleFutureContractInfo(reply.text, info);
    return info;
}

Norq::Order ZqSysApi::bondConvertToStock(const char* symbol, int32_t quantity, Norq::AccountType type) {
    Norq::Order result{};
    if (!symbol || std::strlen(symbol) > kLongestBondSymbol) {
        sysapi::errorLine(__LINE__, "ZqSysApi::bondConvertToStock") << kBadSymbol;
        return result;
    }
    std::string account = channel().accountOrLog(type, [&] {
        sysapi::errorLine(__LINE__, "ZqSysApi::bondConvertToStock")
            << "未找到对应的资金账号，账户类型：" << accountTypeName(type);
    });
    if (account.empty()) return result;
    Norq::OrderRequest request{};
    zqinternal::copyText(request.symbol, symbol);
    request.amount = quantity;
    request.side = 1;
    request.price = 1.0;
    zqinternal::copyText(request.price_type, Norq::PRICE_TYPE_1.str());
    return channel().submitOrder(account, newClientOrderId(), request, HostChannel::kOrderOperation,
                                 [](zq::HostOrderRecord& record) {
                                     zqinternal::copyText(record.order_flag, Norq::ORDER_FLAG_BOND_CONVERT.str());
                                 });
}
