#include "adapter/eventdispatcher.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cstring>
#include <string>

#include "convert/zqstructassembler.h"
#include "adapter/strategycall.h"
#include "sdk/textcopy.h"
#include "timer/zqtimersignalhandler.h"
#include "zq/hostcodes.h"
#include "zq/hostrows.h"
#include "zqloglib.h"

namespace {

// The payload as a text; a null payload is the empty text.
const char* textOf(const zq::NotifyMessage& message) {
    return message.payload ? static_cast<const char*>(message.payload) : "";
}

// The payload's JSON object; `ok` is false when the text does not parse.
QJsonObject jsonObjectOf(const char* text, bool& ok) {
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromRawData(text, std::strlen(text)), &error);
    ok = error.error == QJsonParseError::NoError;
    return document.object();
}

std::string stringOf(const QJsonObject& object, const char* key) {
    return object.value(QLatin1String(key)).toString().toStdString();
}

template <typename Row>
const Row& rowOf(const zq::NotifyMessage& message) {
    static const Row empty{};
    return message.payload ? *static_cast<const Row*>(message.payload) : empty;
}

void logOrderReport(const zq::OrderRow& row) {
    ZqLogLib::GetInstance().Log(0, "CXXAdapter", __LINE__, "zqcxxadapter", "ZqCxxAdapter::OnNotifyMessage",
                                "C++ push order report:%s,%s,%d", zqinternal::fieldText(row.order_id).c_str(),
                                zqinternal::fieldText(row.status).c_str(), row.filled);
}

// One handler per message kind; each makes exactly one callback (kNotifyParamWindow on
// a text that does not parse: none).
using Strategy = Norq::IStrategyHandler;
using Context = Norq::IZqContext;
using Message = zq::NotifyMessage;

void onBar(Strategy& s, Context& c, const Message& m) {
    Norq::KLineDataPush bar;
    ZqStructAssembler::AssemblePushKLineData(textOf(m), bar);
    callStrategy("onKLine", [&] { s.onKLine(&c, &bar); });
}

void onEtfEstimate(Strategy& s, Context& c, const Message& m) {
    Norq::EtfEstimateInfo info;
    ZqStructAssembler::AssemblePushEtfEstimateInfo(textOf(m), info);
    callStrategy("onEtfEstimateInfo", [&] { s.onEtfEstimateInfo(&c, &info); });
}

void onOrderReply(Strategy& s, Context& c, const Message& m) {
    Norq::OrderReply reply;
    ZqStructAssembler::assembleOrderReply(textOf(m), reply);
    callStrategy("onOrderReply", [&] { s.onOrderReply(&c, &reply); });
}

void onTradeDate(Strategy& s, Context& c, const Message& m) {
    int32_t date = ZqStructAssembler::parserTradeDate(textOf(m));
    if (m.id == zq::kNotifyDayBegins)
        callStrategy("onTradeDate1005", [&] { s.onTradeDate1005(&c, date); });
    else callStrategy("onTradeDate1006", [&] { s.onTradeDate1006(&c, date); });
}

// Unlike the adapter operation, this path never stores the parameters.
void onRunParams(Strategy& s, Context& c, const Message& m) {
    std::string params, filePath;
    ZqStructAssembler::assembleModifyRunParams(textOf(m), params, filePath);
    callStrategy("onRunParamsChanged", [&] { s.onRunParamsChanged(&c, params.c_str(), filePath.c_str()); });
}

void onOrderReport(Strategy& s, Context& c, const Message& m) {
    const zq::OrderRow& row = rowOf<zq::OrderRow>(m);
    logOrderReport(row);
    Norq::Order order;
    ZqStructAssembler::orderFromRow(row, order);
    callStrategy("onOrderReport", [&] { s.onOrderReport(&c, &order); });
}

void onExecutionReport(Strategy& s, Context& c, const Message& m) {
    Norq::Execution execution;
    ZqStructAssembler::executionFromRow(rowOf<zq::ExecutionRow>(m), execution);
    callStrategy("onExecutionReport", [&] { s.onExecutionReport(&c, &execution); });
}

void onFundUpdate(Strategy& s, Context& c, const Message& m) {
    Norq::FundInfo fund;
    ZqStructAssembler::fundInfoFromRow(rowOf<zq::FundRow>(m), fund);
    callStrategy("onFundUpdate", [&] { s.onFundUpdate(&c, &fund); });
}

void onPositionUpdate(Strategy& s, Context& c, const Message& m) {
    Norq::Position position;
    ZqStructAssembler::positionFromRow(rowOf<zq::PositionRow>(m), position);
    callStrategy("onPositionUpdate", [&] { s.onPositionUpdate(&c, &position); });
}

void onParamWindow(Strategy& s, Context& c, const Message& m) {
    bool ok = false;
    QJsonObject object = jsonObjectOf(textOf(m), ok);
    if (!ok) return;
    std::string title = stringOf(object, "param_wnd_title");
    std::string params = stringOf(object, "params");
    callStrategy("onParamWindow", [&] { s.onParamWindow(&c, params.c_str(), title.c_str()); });
}

void onUserInput(Strategy& s, Context& c, const Message& m) {
    bool ok = false;
    QJsonObject object = jsonObjectOf(textOf(m), ok);
    std::string input = ok ? stringOf(object, "user_input_param") : std::string();
    callStrategy("onUserInput", [&] { s.onUserInput(&c, input.c_str()); });
}

void onTimerTick(Strategy&, Context& c, const Message& m) {
    ZqTimerSignalHandler::instance().fire(textOf(m), &c);
}

void onHostRecord(Strategy& s, Context& c, const Message& m) {
    switch (m.id) {
    case zq::kNotify1000: callStrategy("onNotify1000", [&] { s.onNotify1000(&c, m.payload); }); break;
    case zq::kNotify1056: callStrategy("onNotify1056", [&] { s.onNotify1056(&c, m.payload); }); break;
    case zq::kNotify1057: callStrategy("onNotify1057", [&] { s.onNotify1057(&c, m.payload); }); break;
    case zq::kNotify1089: callStrategy("onNotify1089", [&] { s.onNotify1089(&c, m.payload); }); break;
    case zq::kNotify1071: callStrategy("onNotify1071", [&] { s.onNotify1071(&c); }); break;
    case zq::kNotify1083: callStrategy("onNotify1083", [&] { s.onNotify1083(&c); }); break;
    }
}

using Handler = void (*)(Strategy&, Context&, const Message&);

Handler handlerFor(uint32_t id) {
    switch (id) {
    case zq::kNotifyBar: return onBar;
    case zq::kNotifyOrderReport: return onOrderReport;
    case zq::kNotifyExecutionReport: return onExecutionReport;
    case zq::kNotifyFundUpdate: return onFundUpdate;
    case zq::kNotifyPositionUpdate: return onPositionUpdate;
    case zq::kNotifyOrderReply: return onOrderReply;
    case zq::kNotifyEtfEstimate: return onEtfEstimate;
    case zq::kNotifyTimerTick: return onTimerTick;
    case zq::kNotifyDayBegins:
    case zq::kNotifyDayEnds: return onTradeDate;
    case zq::kNotifyRunParams:
    case zq::kNotifyRunParamsUnkept: return onRunParams;
    case zq::kNotifyParamWindow: return onParamWindow;
    case zq::kNotifyUserInput: return onUserInput;
    case zq::kNotify1000:
    case zq::kNotify1056:
    case zq::kNotify1057:
    case zq::kNotify1089:
    case zq::kNotify1071:
    case zq::kNotify1083: return onHostRecord;
    default: return nullptr;
    }
}

}  // namespace

void EventDispatcher::dispatch(Norq::IStrategyHandler& strategy, Norq::IZqContext& context,
                               const zq::NotifyMessage& message) {
    if (message.id >= zq::kFirstCustomNotify) {
        int32_t id = static_cast<int32_t>(message.id);
        callStrategy("onCustomMessage", [&] { strategy.onCustomMessage(&context, id, message.payload); });
        return;
    }
    if (Handler handler = handlerFor(message.id)) handler(strategy, context, message);
}
