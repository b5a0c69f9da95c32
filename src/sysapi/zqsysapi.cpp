#include "sysapi/zqsysapi.h"

#include <QJsonArray>
#include <QJsonObject>
#include <climits>
#include <cstring>
#include <vector>

#include "host/accounttype.h"
#include "host/hostorderbuilder.h"
#include "norq/constants.h"
#include "sdk/textcopy.h"
#include "sysapi/sysapilog.h"
#include "zq/hostcodes.h"

namespace {

constexpr const char* kNoAccount = "未找到对应类型的账号，查询订单失败，账号类型：";

constexpr int32_t kCancelEntrustType = 2;
constexpr int32_t kBatchFlagWhole = 1;
constexpr int32_t kSideEtfPurchase = 1;
constexpr int32_t kSideEtfRedemption = 2;
// Entrust type 10 goes to the host as 9, flagged "R3".
constexpr int32_t kEntrustTypeR3 = 10;
constexpr int32_t kEntrustTypeR3Sent = 9;
constexpr const char* kOrderFlagR3 = "R3";
// The largest batch whose buffer length still fits the host's 32-bit length.
constexpr int32_t kMaxBatchCount =
    static_cast<int32_t>((INT32_MAX - sizeof(zq::HostBatchHeader)) / sizeof(zq::HostOrderRecord));

// The host's conventions for ordinary orders: a count of 0 means one;
// entrust type 10 goes as 9 flagged "R3", every other type is flagged "0".
void applyOrdinaryOrderRules(zq::HostOrderRecord& record) {
    if (record.request.count == 0) record.request.count = 1;
    if (record.request.entrust_type == kEntrustTypeR3) {
        record.request.entrust_type = kEntrustTypeR3Sent;
        zqinternal::copyText(record.order_flag, kOrderFlagR3);
    } else {
        zqinternal::copyText(record.order_flag, Norq::ORDER_FLAG_NORMAL.str());
    }
}

// ETF creation and redemption: flagged "N", entrust type 0, count as given.
void applyEtfOrderRules(zq::HostOrderRecord& record) {
    zqinternal::copyText(record.order_flag, Norq::ORDER_FLAG_ETF.str());
    record.request.entrust_type = 0;
}

bool isEtfFlag(const std::string& flag) {
    return flag == Norq::ORDER_FLAG_ETF.str();
}

std::string clientOrderIdOf(const Norq::OrderRequest&) {
    return newClientOrderId();
}

std::string clientOrderIdOf(const Norq::OrderRequestEx& request) {
    return chooseClientOrderId(zqinternal::fieldText(request.cl_ord_id));
}

bool isEtfRequest(const Norq::OrderRequest&) {
    return false;
}

bool isEtfRequest(const Norq::OrderRequestEx& request) {
    return isEtfFlag(zqinternal::fieldText(request.order_flag));
}

}  // namespace

Norq::Order ZqSysApi::order(Norq::AccountType type, const Norq::OrderRequest& request) {
    return orderImpl(type, request, std::string(), std::string());
}

Norq::Order ZqSysApi::orderEx(Norq::AccountType type, const Norq::OrderRequestEx& request) {
    return orderImpl(type, request, zqinternal::fieldText(request.order_flag),
                     zqinternal::fieldText(request.cl_ord_id));
}

Norq::Order ZqSysApi::orderImpl(Norq::AccountType type, const Norq::OrderRequest& request, const std::string& flag,
                                const std::string& clientOrderId) {
    std::string account = channel().accountOrLog(
        type, [&] { sysapi::errorLine(__LINE__, "ZqSysApi::orderImpl") << kNoAccount << accountTypeName(type); });
    if (account.empty()) return Norq::Order{};
    std::string id = chooseClientOrderId(clientOrderId);
    if (!isEtfFlag(flag)) {
        return channel().submitOrder(account, id, request, HostChannel::kOrderOperation, applyOrdinaryOrderRules);
    }
    if (request.side != kSideEtfPurchase && request.side != kSideEtfRedemption) {
        sysapi::errorLine(__LINE__, "ZqSysApi::orderImpl") << "未正确填写交易方向！";
        return Norq::Order{};
    }
    int32_t code = request.side == kSideEtfPurchase ? zq::kCodeEtfPurchase : zq::kCodeEtfRedemption;
    return channel().submitOrder(account, id, request, code, applyEtfOrderRules);
}

Norq::OrderList ZqSysApi::batchOrders(Norq::AccountType type, const Norq::BatchOrderRequest& batch) {
    return batchImpl<Norq::OrderRequest>(type, batch, "ZqSysApi::batchOrders");
}

Norq::OrderList ZqSysApi::batchOrdersEx(Norq::AccountType type, const Norq::BatchOrderRequest& batch) {
    return batchImpl<Norq::OrderRequestEx>(type, batch, "ZqSysApi::batchOrdersEx");
}

template <typename Request>
Norq::OrderList ZqSysApi::batchImpl(Norq::AccountType type, const Norq::BatchOrderRequest& batch,
                                    const char* function) {
    Norq::OrderList orders;
    // A negative or oversized count, or elements that are not there, would
    // have us read or write outside the caller's memory: refuse before the
    // host hears of it.
    if (batch.count < 0 || batch.count > kMaxBatchCount) {
        sysapi::errorLine(__LINE__, function) << "批量下单失败，原因：委托数量非法，数量：" << batch.count;
        return orders;
    }
    if (batch.count > 0 && !batch.requests) {
        sysapi::errorLine(__LINE__, function) << "批量下单失败，原因：委托列表为空指针";
        return orders;
    }
    std::string account = channel().accountOrLog(
        type, [&] { sysapi::errorLine(__LINE__, function) << kNoAccount << static_cast<int32_t>(type); });
    if (account.empty()) return orders;
    const Request* requests = static_cast<const Request*>(batch.requests);
    for (int32_t i = 0; i < batch.count; ++i) {
        if (isEtfRequest(requests[i])) {
            sysapi::errorLine(__LINE__, function) << "批量接口暂不支持ETF申赎交易";
            return orders;
        }
    }

    std::vector<uint8_t> buffer(sizeof(zq::HostBatchHeader) + sizeof(zq::HostOrderRecord) * batch.count, 0);
    zq::HostBatchHeader header{};
    header.count = batch.count;
    header.batch_no = batch.batch_no;
    header.pass_through = batch.pass_through;
    std::memcpy(buffer.data(), &header, sizeof header);
    std::string instance = channel().instanceId();
    uint8_t* slot = buffer.data() + sizeof header;
    for (int32_t i = 0; i < batch.count; ++i, slot += sizeof(zq::HostOrderRecord)) {
        std::string id = clientOrderIdOf(requests[i]);
        zq::HostOrderRecord record = buildHostOrder(instance, account, id, requests[i]);
        applyOrdinaryOrderRules(record);
        std::memcpy(slot, &record, sizeof record);
        Norq::Order* order = new Norq::Order;
        fillOrderFromRequest(requests[i], *order, id, batch.batch_no);
        zqinternal::copyText(order->fund_account, account.c_str());
        orders.push(order);
    }
    // The host's verdict comes later, order by order, as order reports.
    HostResultBlock answer;
    if (zq::HostServices* host = hostServices())
        host->SubmitBuffer(zq::kCodeBatchOrders, buffer.data(), static_cast<int32_t>(buffer.size()), answer.get());
    return orders;
}

Norq::Order ZqSysApi::cancelOrder(Norq::AccountType type, const char* orderId, int32_t batchNo, int32_t batchFlag) {
    Norq::Order result{};
    std::string account = channel().accountOrLog(type, [&] {
        sysapi::errorLine(__LINE__, "ZqSysApi::cancelOrder") << kNoAccount << static_cast<int32_t>(type);
    });
    if (account.empty()) return result;
    bool wholeBatch = batchFlag == kBatchFlagWhole;
    if (!wholeBatch && !orderId) {
        sysapi::errorLine(__LINE__, "ZqSysApi::cancelOrder") << "按订单编号撤单失败，原因：传入空指针";
        return result;
    }
    std::string cancelId = newClientOrderId();
    QJsonObject target;
    target.insert("batch_flag", batchFlag);
    target.insert("org_ord_id", wholeBatch ? QJsonValue(batchNo) : QJsonValue(QString::fromUtf8(orderId)));
    target.insert("cl_ord_id", QString::fromStdString(cancelId));
    QJsonObject params;
    params.insert("order_list", QJsonArray{target});
    params.insert("fund_account", QString::fromStdString(account));
    params.insert("msg_type", zq::kMsgCancel);
    params.insert("push_msg_type", zq::kMsgNoPush);
    // Whether the host withdrew the order arrives later as an order report.
    channel().request(zq::kCodeTrade, params);

    zqinternal::copyText(result.order_id, cancelId.c_str());
    zqinternal::copyText(result.orig_order_id, wholeBatch ? std::to_string(batchNo).c_str() : orderId);
    result.batch_no = batchNo;
    result.entrust_type = kCancelEntrustType;
    return result;
}

int32_t ZqSysApi::enableOrderReply(bool enable) {
    QJsonObject params;
    params.insert("param_enable_order_reply", enable);
    return channel().request(zq::kCodeOrderReply, params).succeeded ? 0 : -1;
}
