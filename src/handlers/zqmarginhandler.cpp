#include "handlers/zqmarginhandler.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "convert/jsonfields.h"
#include "convert/zqstructassembler.h"
#include "sdk/errorline.h"
#include "sdk/textcopy.h"
#include "zq/hostcodes.h"

namespace {

// The only position type the host answers lending questions for.
constexpr int32_t kSpecialPositionType = 2;
constexpr int32_t kDefaultPositionType = 1;
// Sent as entrust type 0 with the order property "R3".
constexpr int32_t kEntrustTypeR3 = 10;
constexpr const char* kNoAccountForLending = "未找到信用账号，查询可融券列表失败";

Norq::ZqLog errorLine(int line, const char* function) {
    return zqinternal::errorLine("zqmarginhandler", line, function);
}

QString textOrEmpty(const char* text) {
    return QString::fromUtf8(text ? text : "");
}

// The credit account's id; empty, after the operation's failure line, when
// the host has none.
std::string creditAccount(const HostChannel& channel, int line, const char* function, const char* noAccount) {
    return channel.accountOrLog(Norq::ACCOUNT_STOCK_MARGIN, [&] { errorLine(line, function) << noAccount; });
}

// Every question about the credit account names it and the message type.
HostReply askCredit(const HostChannel& channel, int32_t code, const std::string& account, int32_t msgType,
                    QJsonObject params = {}) {
    params.insert("fund_account", QString::fromStdString(account));
    params.insert("msg_type", msgType);
    return channel.request(code, params);
}

Norq::SymbolList symbolsOf(const HostChannel& channel, int line, const char* function, int32_t msgType) {
    Norq::SymbolList symbols;
    std::string account = creditAccount(channel, line, function, kNoAccountForLending);
    if (account.empty()) return symbols;
    HostReply reply = askCredit(channel, zq::kCodeQuery, account, msgType);
    if (!reply.usable()) return symbols;
    // An answer that is no array holds no symbols; one that is no string
    // holds an empty one.
    QJsonDocument answer = QJsonDocument::fromJson(QByteArray::fromStdString(reply.text));
    for (const QJsonValue& symbol : answer.array()) symbols.put(symbol.toString().toUtf8().constData());
    return symbols;
}

bool isMarginEntrustType(int32_t type) {
    return type == 6 || type == 7 || type == 9 || type == 10;
}

}  // namespace

int32_t ZqMarginHandler::marginCashDirectRefund(double amount, const char* contractNo) {
    std::string account =
        creditAccount(channel(), __LINE__, "ZqMarginHandler::marginCashDirectRefund", "未找到信用账号，直接还款失败");
    if (account.empty()) return -1;
    // The host takes the amount as text in C's %g form; "finacing" is its spelling.
    QJsonObject params{{"finacing_debt_repayment_amount", QString::number(amount, 'g', 6)},
                       {"push_msg_type", zq::kMsgNoPush},
                       {"compactNo", textOrEmpty(contractNo)}};
    return askCredit(channel(), zq::kCodeTrade, account, zq::kMsgDirectRefund, params).returned;
}

Norq::SymbolList ZqMarginHandler::getMarginCashStocks() {
    return symbolsOf(channel(), __LINE__, "ZqMarginHandler::getMarginCashStocks", zq::kMsgFinancingStocks);
}

Norq::SymbolList ZqMarginHandler::getMarginSecStocks() {
    return symbolsOf(channel(), __LINE__, "ZqMarginHandler::getMarginSecStocks", zq::kMsgLendingStocks);
}

Norq::MarginContractList ZqMarginHandler::getMarginContract(const char* contractNo) {
    Norq::MarginContractList contracts;
    std::string account =
        creditAccount(channel(), __LINE__, "ZqMarginHandler::getMarginContract", "未找到信用账号，查询信用合约失败");
    if (account.empty()) return contracts;
    HostReply reply = askCredit(channel(), zq::kCodeCreditContracts, account, zq::kMsgCreditContracts,
                                {{"compactNo", textOrEmpty(contractNo)}});
    if (reply.usable()) ZqStructAssembler::assembleMarginContractList(reply.text, contracts);
    return contracts;
}

Norq::MarginAsset ZqMarginHandler::getMarginAsset() {
    Norq::MarginAsset asset{};
    std::string account =
        creditAccount(channel(), __LINE__, "ZqMarginHandler::getMarginAsset", "未找到信用账号，查询信用资产失败");
    if (account.empty()) return asset;
    HostReply reply = askCredit(channel(), zq::kCodeQuery, account, zq::kMsgMarginAsset);
    if (reply.usable()) ZqStructAssembler::assembleMarginAsset(reply.text, asset);
    return asset;
}

Norq::MarginAssureSecurityList ZqMarginHandler::getMarginAssureSecurityList() {
    Norq::MarginAssureSecurityList collateral;
    std::string account = creditAccount(channel(), __LINE__, "ZqMarginHandler::getMarginAssureSecurityList",
                                        "未找到信用账号，查询担保品列表失败");
    if (account.empty()) return collateral;
    HostReply reply = askCredit(channel(), zq::kCodeQuery, account, zq::kMsgCollateral);
    if (reply.usable()) ZqStructAssembler::assembleMarginAssureSecurityList(reply.text, collateral);
    return collateral;
}

Norq::MarginAccountSecurityList ZqMarginHandler::getMarginSecurityListAll() {
    return getMarginSecurityList("", kSpecialPositionType);
}

int64_t ZqMarginHandler::getAvaliableMarginQty(const Norq::MarginQtyRequest& request) {
    const char* function = "ZqMarginHandler::getAvaliableMarginQty";
    std::string account = creditAccount(channel(), __LINE__, function, "未找到信用账号，查询大约可交易数量失败");
    if (account.empty()) return 0;
    if (!isMarginEntrustType(request.entrust_type)) {
        errorLine(__LINE__, function) << "查询最大可交易数量失败，原因：非法的委托类型：" << request.entrust_type;
        return 0;
    }
    if (request.entrust_bs != 1 && request.entrust_bs != 2) {
        errorLine(__LINE__, function) << "查询最大可交易数量失败，原因：非法的交易方向：" << request.entrust_bs
                                      << " 委托类型：" << request.entrust_type;
        return 0;
    }
    const bool r3 = request.entrust_type == kEntrustTypeR3;
    QJsonObject params{
        {"entrust_bs", request.entrust_bs},
        {"entrust_prop", r3 ? "R3" : "0"},
        {"security_symbol", QString::fromStdString(zqinternal::fieldText(request.symbol))},
        {"price_type", QString::fromStdString(zqinternal::fieldText(request.price_type))},
        {"entrust_price", request.entrust_price},
        {"position_type", request.position_type == 0 ? kDefaultPositionType : request.position_type},
        {"entrust_type", QString::number(r3 ? 0 : request.entrust_type)},
    };
    HostReply reply = askCredit(channel(), zq::kCodeQuery, account, zq::kMsgTradableQty, params);
    if (!reply.usable()) return 0;
    QJsonObject answer = QJsonDocument::fromJson(QByteArray::fromStdString(reply.text)).object();
    if (zqinternal::member(answer, "rsp_body_error_code").toDouble() != 0.0) return 0;
    // The host sends the quantity as a number or as a decimal text.
    return zqinternal::member(answer, "rsp_body_data").toVariant().toLongLong();
}

Norq::MarginAssetRsp ZqMarginHandler::getMarginAssetFromCounter() {
    Norq::MarginAssetRsp rsp{};
    const char* noAccount = "查询信用资产失败,未找到信用账号";
    std::string account = creditAccount(channel(), __LINE__, "ZqMarginHandler::getMarginAssetFromCounter", noAccount);
    if (account.empty()) {
        rsp.error_code = -1;
        rsp.error_info = noAccount;
        return rsp;
    }
    HostReply reply = askCredit(channel(), zq::kCodeQuery, account, zq::kMsgCounterAsset);
    if (reply.usable()) {
        ZqStructAssembler::assembleMarginAssetRsp(reply.text, rsp);
    } else {
        rsp.error_code = -1;
        rsp.error_info = "unknown error";
    }
    return rsp;
}

Norq::MarginAccountSecurityList ZqMarginHandler::getMarginSecurityList(const char* symbol, int32_t positionType) {
    const char* function = "ZqMarginHandler::getMarginSecurityList";
    Norq::MarginAccountSecurityList securities;
    std::string account = creditAccount(channel(), __LINE__, function, kNoAccountForLending);
    if (account.empty()) return securities;
    if (positionType != kSpecialPositionType) {
        errorLine(__LINE__, function) << "查询可融券列表失败，目前仅支持专项可融券信息查询";
        return securities;
    }
    QJsonObject params{{"position_type", kSpecialPositionType}};
    if (symbol) params.insert("security_symbol", QString::fromUtf8(symbol));
    HostReply reply = askCredit(channel(), zq::kCodeQuery, account, zq::kMsgLendable, params);
    if (reply.usable()) ZqStructAssembler::assembleMarginAccountSecurityList(reply.text, securities);
    return securities;
}
