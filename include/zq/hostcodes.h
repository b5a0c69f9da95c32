// The numbers the host and the library agree on, each named once: the
// request codes of HostServices (zq/hostservices.h), the "msg_type" values
// inside the "params" of a JSON request, the subscription codes, and the ids
// of the notifications the host delivers through OnNotifyMessage. A host
// author learns the whole vocabulary here; the library, the local host, the
// tests and the fuzz targets all spell the numbers through these names.
#pragma once

#include <cstdint>

namespace zq {

// The `code` of Request (host operation 0, a JSON text) and SubmitBuffer
// (host operation 25, a binary buffer).
enum RequestCode : int32_t {
    // JSON requests.
    kCodeCreditContracts = 2050,  // credit contracts (kMsgCreditContracts)
    kCodeTrade = 2053,            // told apart by msg_type: kMsgCancel, kMsgDirectRefund
    kCodeQuery = 2055,            // every question told apart by its msg_type (below)
    kCodeStartStrategy = 2075,    // a further strategy instance
    kCodeInstanceId = 2080,       // the strategy tells the host an instance id
    kCodeSymbols = 2090,          // the strategy's symbols, ';'-separated
    kCodeMsgType = 2092,          // (un)registering a custom message type
    kCodeExecPython = 2101,       // an external Python script run by the host
    kCodeFileOrSound = 2220,      // told apart by msg_type: kMsgRequestFile, kMsgPlaySound
    kCodeInstanceRemark = 2223,   // the instance's remark in the host's list
    kCodeMessageBox = 2225,       // a message box shown by the host
    kCodeOrderReply = 2226,       // switches order replies (notification kNotifyOrderReply) on or off
    // Binary buffers: host order records (zq/hostorder.h) and custom messages.
    kCodeBatchOrders = 2201,       // a HostBatchHeader and its records
    kCodeEtfPurchase = 2202,       // one record, flagged "N"
    kCodeEtfRedemption = 2203,     // one record, flagged "N"
    kCodeOptionExercise = 2204,    // one record
    kCodeCustomMessage = 2205,     // type, body length, 8 zero bytes, body, NUL
    kCodeUnderlyingFreeze = 2206,  // one record, freezing or unfreezing
};

// The "msg_type" member of a JSON request's "params": which question or
// instruction a request code that carries several means.
enum MsgType : int32_t {
    kMsgNoPush = -1,  // as "push_msg_type": the host pushes no answer
    // Under kCodeTrade.
    kMsgCancel = 2002,
    kMsgDirectRefund = 2054,
    // Under kCodeQuery.
    kMsgLendingStocks = 2056,
    kMsgFinancingStocks = 2057,
    kMsgEtfInfo = 2061,
    kMsgEtfConstituents = 2062,
    kMsgMarginAsset = 2064,
    kMsgCollateral = 2065,
    kMsgSymbolList = 2073,
    kMsgSymbolDetail = 2074,
    kMsgLendable = 2088,
    kMsgFutureContract = 2094,
    kMsgCurrentTime = 2100,
    kMsgTradableQty = 2102,
    kMsgCounterAsset = 2227,
    // Under kCodeCreditContracts.
    kMsgCreditContracts = 2063,
    // Under kCodeFileOrSound.
    kMsgRequestFile = 2221,
    kMsgPlaySound = 2222,
};

// The `dataCode` of Subscribe and Unsubscribe (host operations 9 and 10),
// one per data type a strategy subscribes to (INorqSysApi::subscribe).
enum SubscriptionCode : int32_t {
    kSubscribeDataType1 = 3001,
    kSubscribeBars = 3015,  // data type 2; always with "period_type" "kline_1m"
    kSubscribeDataType3 = 3011,
    kSubscribeDataType4 = 3010,
    kSubscribeDataType5 = 3012,
    kSubscribeDataType6 = 3020,
    kSubscribeUnknown = -1,  // any other data type
};

// NotifyMessage::id (zq/notifymessage.h), with the payload each carries.
enum NotifyId : uint32_t {
    kNotify1000 = 1000,             // a host record, passed on unread (onNotify1000)
    kNotifyTimerTick = 1004,        // text ending in the tick time
    kNotifyDayBegins = 1005,        // JSON trade date (onTradeDate1005)
    kNotifyDayEnds = 1006,          // JSON trade date (onTradeDate1006)
    kNotifyFundUpdate = 1007,       // zq::FundRow
    kNotifyPositionUpdate = 1008,   // zq::PositionRow
    kNotify1056 = 1056,             // a host record, passed on unread
    kNotify1057 = 1057,             // a host record, passed on unread
    kNotifyEtfEstimate = 1058,      // JSON ETF estimate
    kNotifyBar = 1061,              // JSON bar
    kNotifyRunParams = 1062,        // JSON running parameters; kept by ModifyStragetyRunningParams
    kNotifyRunParamsUnkept = 1063,  // JSON running parameters; never kept
    kNotify1071 = 1071,             // no payload
    kNotifyOrderReport = 1081,      // zq::OrderRow
    kNotifyExecutionReport = 1082,  // zq::ExecutionRow
    kNotify1083 = 1083,             // no payload
    kNotifyParamWindow = 1086,      // JSON "params", "param_wnd_title"
    kNotifyUserInput = 1087,        // JSON "user_input_param"
    kNotify1089 = 1089,             // a host record, passed on unread
    kNotifyOrderReply = 1090,       // JSON order reply
    kFirstCustomNotify = 10000,     // this and above: a strategy's custom message
};

}  // namespace zq
