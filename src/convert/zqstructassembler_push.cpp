// The converters of the host's JSON pushes. The text is parsed where it lies,
// without a copy; a record is filled straight from the parsed object.
#include <QByteArray>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QString>
#include <cstring>

#include "convert/barpushparser.h"
#include "convert/jsonfields.h"
#include "convert/zqstructassembler.h"
#include "norq/zqlog.h"
#include "sdk/textcopy.h"

using namespace Norq;
using namespace zqinternal;

namespace {

constexpr const char* kSource = "zqstructassembler";

// A push text where it lies; a null text counts as empty.
struct Push {
    const char* text;
    ParsedJson parsed;
    QJsonObject object;

    explicit Push(const char* json) : text(json ? json : ""), parsed(parseJson(text, std::strlen(text))) {
        if (parsed.ok) object = parsed.document.object();
    }
    bool failed(int line, const char* function) const {
        if (!parsed.ok) logParseError(kSource, line, function, text, parsed.error);
        return !parsed.ok;
    }
};

}  // namespace

int32_t ZqStructAssembler::AssemblePushEtfEstimateInfo(const char* json, EtfEstimateInfo& info) {
    zeroFill(info);
    Push push(json);
    if (push.failed(__LINE__, "ZqStructAssembler::AssemblePushEtfEstimateInfo")) return -1;
    const QJsonObject& o = push.object;
    copyJsonText(info.symbol, o.value(QLatin1String("security_symbol")));
    copyJsonText(info.datetime, o.value(QLatin1String("timestamp")));
    info.IOPV = stringToDouble(o.value(QLatin1String("iopv")));
    info.DIOPVS1 = stringToDouble(o.value(QLatin1String("iopvs1")));
    info.DIOPVB1 = stringToDouble(o.value(QLatin1String("iopvb1")));
    info.premium = stringToDouble(o.value(QLatin1String("premiumProfit")));
    info.discount = stringToDouble(o.value(QLatin1String("discountProfit")));
    return 0;
}

int32_t ZqStructAssembler::AssemblePushKLineData(const char* json, KLineDataPush& bar) {
    // Bars arrive by the million in a replay; the shape hosts send is read
    // without building a document, and everything else as it always was.
    if (json && parseBarPush(json, std::strlen(json), bar)) return 0;
    return assembleBarPushWithQt(json, bar);
}

int32_t zqinternal::assembleBarPushWithQt(const char* json, KLineDataPush& bar) {
    zeroFill(bar);
    Push push(json);
    if (push.failed(__LINE__, "ZqStructAssembler::AssemblePushKLineData")) return -1;
    const QJsonObject& o = push.object;
    copyJsonText(bar.symbol, o.value(QLatin1String("security_symbol")));
    copyJsonText(bar.datetime, o.value(QLatin1String("timestamp")));
    bar.open = o.value(QLatin1String("open")).toDouble();
    bar.close = o.value(QLatin1String("close")).toDouble();
    bar.high = o.value(QLatin1String("high")).toDouble();
    bar.low = o.value(QLatin1String("low")).toDouble();
    bar.total_money = o.value(QLatin1String("money")).toDouble();
    bar.total_volume = truncToInt<int64_t>(o.value(QLatin1String("volume")).toDouble());
    bar.num_trades = truncToInt<int64_t>(o.value(QLatin1String("num_trades")).toDouble());
    copyJsonText(bar.data_type, o.value(QLatin1String("period_type")));
    return 0;
}

void ZqStructAssembler::assembleOrderReply(const char* json, OrderReply& reply) {
    zeroFill(reply);
    Push push(json);
    if (!push.parsed.ok) {
        ZqLog(kSource, __LINE__, "ZqStructAssembler::assembleOrderReply").error()
            << "解析报撤单响应失败，原因：" << push.parsed.error.toUtf8().constData();
        return;
    }
    const QJsonObject& o = push.object;
    copyWholeJsonText(reply.entrust_type, o.value(QLatin1String("entrust_type")));
    copyWholeJsonText(reply.error_code, o.value(QLatin1String("error_code")));
    copyWholeJsonText(reply.fund_account, o.value(QLatin1String("fund_account")));
    copyWholeJsonText(reply.ord_id, o.value(QLatin1String("ord_id")));
    copyWholeJsonText(reply.org_ord_id, o.value(QLatin1String("org_ord_id")));
    reply.batch_no = o.value(QLatin1String("batch_no")).toInt();
    copyWholeJsonText(reply.algo_inst_id, o.value(QLatin1String("algo_inst_id")));
    copyWholeJsonText(reply.instance_id, o.value(QLatin1String("instance_id")));
    copyWholeJsonText(reply.error_info, o.value(QLatin1String("error_info")));
}

int32_t ZqStructAssembler::parserTradeDate(const char* json) {
    Push push(json);
    if (push.failed(__LINE__, "ZqStructAssembler::parserTradeDate")) return -1;
    if (!push.object.contains(QLatin1String("timestamp"))) return -1;
    QString timestamp = push.object.value(QLatin1String("timestamp")).toString();
    QDate date = QDateTime::fromString(timestamp, QStringLiteral("yyyyMMdd hh:mm:ss zzz")).date();
    return date.toString(QStringLiteral("yyyyMMdd")).toInt();
}

int32_t ZqStructAssembler::assembleModifyRunParams(const char* json, std::string& params, std::string& filePath) {
    Push push(json);
    if (push.failed(__LINE__, "ZqStructAssembler::assembleModifyRunParams")) return -1;
    params = push.object.value(QLatin1String("params")).toString().toStdString();
    filePath = push.object.value(QLatin1String("file_path")).toString().toStdString();
    return 0;
}
