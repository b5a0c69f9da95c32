// Market data of the system API: subscriptions with the host, snapshots from
// the host, and bars, ticks and index components from the platform's
// data-access library, whose rows are the SDK records byte for byte.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstring>

#include "norq/constants.h"
#include "sdk/textcopy.h"
#include "sysapi/callerflag.h"
#include "sysapi/rowlists.h"
#include "sysapi/zqsysapi.h"
#include "zq/hostcodes.h"
#include "zqdataaccess.h"

namespace {

constexpr int32_t kBarDataType = 2;
constexpr int32_t kDefaultBarQueryType = 11;
constexpr int32_t kTimeDigits = 14;

int32_t hostCodeOf(int32_t dataType) {
    switch (dataType) {
    case 1: return zq::kSubscribeDataType1;
    case kBarDataType: return zq::kSubscribeBars;
    case 3: return zq::kSubscribeDataType3;
    case 4: return zq::kSubscribeDataType4;
    case 5: return zq::kSubscribeDataType5;
    case 6: return zq::kSubscribeDataType6;
    default: return zq::kSubscribeUnknown;
    }
}

// {"params":{"sub_list":[{"security_symbol":...},...]}}, with the one-minute
// period for bars.
QByteArray subscriptionJson(const Norq::SymbolList& symbols, int32_t hostCode) {
    QJsonArray list;
    for (int i = 0; i < symbols.getSize(); ++i) {
        list.append(QJsonObject{{"security_symbol", QString::fromUtf8(symbols.get(i).str())}});
    }
    QJsonObject params{{"sub_list", list}};
    if (hostCode == zq::kSubscribeBars) params.insert("period_type", QString::fromUtf8(Norq::KLINE_1M.str()));
    return QJsonDocument(QJsonObject{{"params", params}}).toJson(QJsonDocument::Compact);
}

// A yyyyMMddhhmmss time or a prefix of it, as the library wants it: decimal
// text right-padded with '0' to 14 digits.
std::string paddedTime(int64_t time) {
    std::string text = std::to_string(time);
    if (text.size() < kTimeDigits) text.append(kTimeDigits - text.size(), '0');
    return text;
}

int32_t barQueryType(int32_t type) {
    return type == 0 ? kDefaultBarQueryType : type;
}

const char* orEmpty(const char* text) {
    return text ? text : "";
}

}  // namespace

int32_t ZqSysApi::subscribe(Norq::SymbolList& symbols, int32_t dataType) {
    zq::HostServices* host = hostServices();
    if (!host) return -1;
    int32_t code = hostCodeOf(dataType);
    return host->Subscribe(code, subscriptionJson(symbols, code).constData());
}

int32_t ZqSysApi::unsubscribe(Norq::SymbolList& symbols, int32_t dataType) {
    zq::HostServices* host = hostServices();
    if (!host) return -1;
    int32_t code = hostCodeOf(dataType);
    return host->Unsubscribe(code, subscriptionJson(symbols, code).constData());
}

int32_t ZqSysApi::unsubscribeAll() {
    if (zq::HostServices* host = hostServices()) host->UnsubscribeAll();
    return 0;
}

Norq::Tick ZqSysApi::getSnapshot(const char* symbol) {
    Norq::TickEx snapshot = getSnapshotEx(symbol);
    return static_cast<const Norq::Tick&>(snapshot);
}

// The host may fill the whole 1304-byte record, so both snapshot forms hand
// it a full one.
Norq::TickEx ZqSysApi::getSnapshotEx(const char* symbol) {
    Norq::TickEx snapshot{};
    zq::HostServices* host = hostServices();
    if (symbol && host) host->GetSnapshot(symbol, &snapshot);
    return snapshot;
}

Norq::KLineDataList ZqSysApi::getKLineData(const Norq::KLineQuery& query) {
    Norq::KLineDataList bars;
    ZqRowsAnswer answer = QueryKLineData(zqinternal::fieldText(query.symbol).c_str(), paddedTime(query.start).c_str(),
                                         paddedTime(query.end).c_str(), barQueryType(query.query_type), 1,
                                         zqinternal::fieldText(query.period).c_str(), sysapi::flagOf(query.flag));
    sysapi::appendCopied<Norq::KLineData>(bars, answer.rows, answer.row_count);
    ReleaseMem(answer.rows);
    return bars;
}

Norq::KLineDataList ZqSysApi::getKLineDataFromInitDate(const Norq::KLineInitDateQuery& query) {
    Norq::KLineDataList bars;
    ZqRowsAnswer answer = QueryKLineDataFromInitDate(
        zqinternal::fieldText(query.symbol).c_str(), query.count, paddedTime(query.init_time).c_str(),
        barQueryType(query.query_type), 1, zqinternal::fieldText(query.period).c_str(), query.extra,
        zqinternal::fieldText(query.extra_text).c_str(), sysapi::flagOf(query.flag));
    sysapi::appendCopied<Norq::KLineData>(bars, answer.rows, answer.row_count);
    ReleaseMem(answer.rows);
    return bars;
}

Norq::TickDataList ZqSysApi::getTicks(const char* symbol, int64_t start, int64_t end) {
    Norq::TickDataList ticks;
    ZqRowsAnswer answer = QueryTick(orEmpty(symbol), paddedTime(start).c_str(), paddedTime(end).c_str());
    if (answer.row_count <= 0) return ticks;
    sysapi::appendCopied<Norq::Tick>(ticks, answer.rows, answer.row_count);
    ReleaseMem(answer.rows);
    return ticks;
}

Norq::IndexComponentList ZqSysApi::getIndexComponents(const char* indexSymbol) {
    Norq::IndexComponentList components;
    ZqRowsAnswer answer = QueryIndexComponents(orEmpty(indexSymbol));
    if (answer.row_count <= 0) return components;
    sysapi::appendCopied<Norq::IndexComponent>(components, answer.rows, answer.row_count);
    ReleaseMem(answer.rows);
    return components;
}
