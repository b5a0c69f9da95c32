#include "handlers/zqetfhandler.h"

#include <QJsonObject>

#include "convert/zqstructassembler.h"
#include "handlers/handlerorder.h"
#include "norq/constants.h"
#include "sdk/errorline.h"
#include "zq/hostcodes.h"
#include "zq/hostorder.h"

namespace {

constexpr int32_t kSidePurchase = 1;
constexpr int32_t kSideRedemption = 2;

Norq::ZqLog errorLine(int line, const char* function) {
    return zqinternal::errorLine("zqetfhandler", line, function);
}

HostReply askEtf(const HostChannel& channel, int32_t msgType, const char* fundSymbol) {
    QJsonObject params{{"msg_type", msgType}, {"etf_fund_symbol", QString::fromUtf8(fundSymbol ? fundSymbol : "")}};
    return channel.request(zq::kCodeQuery, params);
}

}  // namespace

Norq::EtfInfo ZqEtfHandler::getEtfInfo(const char* fundSymbol) {
    HostReply reply = askEtf(channel(), zq::kMsgEtfInfo, fundSymbol);
    return reply.usable() ? ZqStructAssembler::assembleEtfInfo(reply.text) : Norq::EtfInfo{};
}

Norq::EtfConstituentList ZqEtfHandler::getEtfConstituentList(const char* fundSymbol) {
    Norq::EtfConstituentList constituents;
    HostReply reply = askEtf(channel(), zq::kMsgEtfConstituents, fundSymbol);
    if (reply.usable()) ZqStructAssembler::assembleEtfConstituentList(reply.text, constituents);
    return constituents;
}

Norq::Order ZqEtfHandler::etfPurchase(const char* symbol, int32_t quantity, int32_t accountType, int32_t extra) {
    return etfOrder("ZqEtfHandler::etfPurchase", kSidePurchase, zq::kCodeEtfPurchase, symbol, quantity, accountType,
                    extra);
}

Norq::Order ZqEtfHandler::etfRedemption(const char* symbol, int32_t quantity, int32_t accountType, int32_t extra) {
    return etfOrder("ZqEtfHandler::etfRedemption", kSideRedemption, zq::kCodeEtfRedemption, symbol, quantity,
                    accountType, extra);
}

Norq::Order ZqEtfHandler::etfOrder(const char* function, int32_t side, int32_t code, const char* symbol,
                                   int32_t quantity, int32_t accountType, int32_t extra) {
    std::string account = channel().accountOrLog(accountType, [&] {
        errorLine(__LINE__, function) << "未找到对应类型的账号，查询订单失败，账号类型：" << accountType;
    });
    if (account.empty()) return Norq::Order{};
    Norq::OrderRequest request = handlerRequest(symbol, quantity);
    request.side = side;
    // The host reads the extra argument from the request's pass-through area.
    request.pass_through_int = extra;
    return submitHandlerOrder(channel(), code, account, Norq::ORDER_FLAG_ETF.str(), request);
}
