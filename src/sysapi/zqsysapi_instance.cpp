// The strategy-instance services of the system API: custom messages between
// strategies, further strategy instances, the current time, dialogs, sounds
// and pass-through requests to the host.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cstring>
#include <vector>

#include "host/accounttype.h"
#include "host/wallclock.h"
#include "sysapi/sysapilog.h"
#include "sysapi/zqsysapi.h"
#include "zq/hostcodes.h"

namespace {

constexpr size_t kCustomMessageHeader = 16;  // type, body length, 8 zero bytes
// The account types a new instance is told about, in the order it hears them.
constexpr Norq::AccountType kInstanceAccounts[] = {Norq::ACCOUNT_STOCK, Norq::ACCOUNT_STOCK_MARGIN,
                                                   Norq::ACCOUNT_FUTURES, Norq::ACCOUNT_OPTION,
                                                   Norq::ACCOUNT_OPEN_FUND};

QString textOrEmpty(const char* text) {
    return QString::fromUtf8(text ? text : "");
}

QJsonArray accountInfo(const HostChannel& channel) {
    QJsonArray accounts;
    for (Norq::AccountType type : kInstanceAccounts) {
        std::string id = channel.accountId(type);
        if (id.empty()) continue;
        accounts.append(QJsonObject{{"fund_account", QString::fromStdString(id)},
                                    {"account_type", QString::fromUtf8(accountTypeName(type))}});
    }
    return accounts;
}

}  // namespace

int32_t ZqSysApi::registerMsgType(int32_t msgType) {
    return channel().request(zq::kCodeMsgType, {{"msg_type", QString::number(msgType)}, {"op_type", 1}}).returned;
}

int32_t ZqSysApi::unregisterMsgType(int32_t msgType) {
    return channel().request(zq::kCodeMsgType, {{"msg_type", QString::number(msgType)}, {"op_type", 0}}).returned;
}

int32_t ZqSysApi::publishCustomMsg(int32_t msgType, const char* body) {
    if (!body) {
        sysapi::errorLine(__LINE__, "ZqSysApi::publishCustomMsg") << "发布自定义消息失败,原因：消息体为空指针";
        return -1;
    }
    zq::HostServices* host = hostServices();
    if (!host) return -1;
    int32_t length = static_cast<int32_t>(std::strlen(body));
    std::vector<uint8_t> buffer(kCustomMessageHeader + length + 1, 0);
    std::memcpy(buffer.data(), &msgType, sizeof msgType);
    std::memcpy(buffer.data() + sizeof msgType, &length, sizeof length);
    std::memcpy(buffer.data() + kCustomMessageHeader, body, length);
    HostResultBlock answer;
    return host->SubmitBuffer(zq::kCodeCustomMessage, buffer.data(), static_cast<int32_t>(buffer.size()), answer.get());
}

int32_t ZqSysApi::sendInstanceId(const char* instanceId) {
    return channel().request(zq::kCodeInstanceId, {{"instance_id", textOrEmpty(instanceId)}}).returned;
}

int32_t ZqSysApi::startStrategy(const char* strategyFile, Norq::StrategyParams& params, const char* instanceName,
                                bool showDialog) {
    if (!strategyFile || !*strategyFile) {
        sysapi::errorLine(__LINE__, "ZqSysApi::startStrategy") << "启动策略实例失败，原因：策略文件路径为空";
        return -1;
    }
    QJsonObject runParams;
    // With the dialog the user picks the values, so none are sent.
    if (!showDialog && !instanceRunParams(params, runParams)) return -1;
    QJsonObject request{{"strategy_file", QString::fromUtf8(strategyFile)},
                        {"run_params", runParams},
                        {"instance_name", textOrEmpty(instanceName)},
                        {"show_new_instance_dlg", showDialog}};
    return channel().request(zq::kCodeStartStrategy, request).returned;
}

bool ZqSysApi::instanceRunParams(Norq::StrategyParams& params, QJsonObject& runParams) {
    Norq::ZqString text = params.getStrategyParams();
    if (text.length() > 0) {
        params.preHandle();
        text = params.getStrategyParams();
        QJsonParseError error;
        QJsonDocument document = QJsonDocument::fromJson(QByteArray(text.str()), &error);
        if (error.error != QJsonParseError::NoError) {
            sysapi::errorLine(__LINE__, "ZqSysApi::startStrategy")
                << "启动策略实例失败，原因：参数解析失败:" << error.errorString().toUtf8().constData() << text.str();
            return false;
        }
        if (!document.isObject()) {
            sysapi::errorLine(__LINE__, "ZqSysApi::startStrategy")
                << "启动策略实例失败，原因：参数非json object格式:" << text.str();
            return false;
        }
        runParams = document.object();
    }
    runParams.insert("account_info", accountInfo(channel()));
    return true;
}

Norq::ZqString ZqSysApi::getCurrentTime() {
    // In operate mode 0 the local clock is the time; the host is not asked.
    if (runParams_ && runParams_->getIntValue("operate_mode") == 0) return Norq::ZqString(wallClockText().c_str());
    HostReply reply = channel().request(zq::kCodeQuery, {{"msg_type", zq::kMsgCurrentTime}});
    return Norq::ZqString(reply.usable() ? reply.text.c_str() : wallClockText().c_str());
}

int32_t ZqSysApi::sendSymbols(Norq::SymbolList& symbols) {
    std::string joined;
    for (int i = 0; i < symbols.getSize(); ++i) {
        if (i > 0) joined += ';';
        joined += symbols.get(i).str();
    }
    return channel().request(zq::kCodeSymbols, {{"security_symbol", QString::fromStdString(joined)}}).returned;
}

Norq::ZqString ZqSysApi::getTextFromHost(intptr_t a, intptr_t b, bool flag) {
    std::string text;
    if (zq::HostServices* host = hostServices()) host->GetText(text, a, b, flag);
    return Norq::ZqString(text.c_str());
}

intptr_t ZqSysApi::passToHost(intptr_t value) {
    zq::HostServices* host = hostServices();
    return host ? host->PassToHost(value, 0) : 0;
}

Norq::ZqString ZqSysApi::requestFile(const char* filePath) {
    HostReply reply = channel().request(zq::kCodeFileOrSound,
                                        {{"msg_type", zq::kMsgRequestFile}, {"file_path", textOrEmpty(filePath)}});
    return Norq::ZqString(reply.usable() ? reply.text.c_str() : "");
}

void ZqSysApi::playSound(const char* soundId) {
    channel().request(zq::kCodeFileOrSound, {{"msg_type", zq::kMsgPlaySound}, {"sound_id", textOrEmpty(soundId)}});
}

void ZqSysApi::setInstanceRemark(const char* remark) {
    channel().request(zq::kCodeInstanceRemark, {{"instance_remark", textOrEmpty(remark)}});
}

bool ZqSysApi::showMessageBox(const char* title, const char* content, bool synchronous, int32_t width,
                              int32_t height) {
    QJsonObject params{{"title", textOrEmpty(title)},
                       {"content", textOrEmpty(content)},
                       {"sync_flag", synchronous ? 1 : 0},
                       {"width", width},
                       {"height", height}};
    HostReply reply = channel().request(zq::kCodeMessageBox, params);
    return synchronous && reply.usable() && reply.text != "0";
}
