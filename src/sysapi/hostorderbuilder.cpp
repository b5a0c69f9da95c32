#include "sysapi/hostorderbuilder.h"

#include <QUuid>
#include <cstring>

#include "norq/constants.h"
#include "sdk/textcopy.h"

namespace {

constexpr int32_t kEntrustTypeR3 = 10;
constexpr int32_t kEntrustTypeR3Sent = 9;
constexpr const char* kOrderFlagR3 = "R3";

}  // namespace

std::string newClientOrderId() {
    return QUuid::createUuid().toString().toStdString();
}

std::string chooseClientOrderId(const std::string& given) {
    return given.empty() ? newClientOrderId() : given;
}

zq::HostOrderRecord buildHostOrder(const std::string& instanceId, const std::string& accountId,
                                   const std::string& clientOrderId, const Norq::OrderRequest& request) {
    zq::HostOrderRecord record{};
    Norq::copyText(record.instance_id, instanceId.c_str());
    Norq::copyText(record.account_id, accountId.c_str());
    Norq::copyText(record.client_order_id, clientOrderId.c_str());
    record.request = request;
    return record;
}

void applyOrdinaryOrderRules(zq::HostOrderRecord& record) {
    if (record.request.count == 0) record.request.count = 1;
    if (record.request.entrust_type == kEntrustTypeR3) {
        record.request.entrust_type = kEntrustTypeR3Sent;
        Norq::copyText(record.order_flag, kOrderFlagR3);
    } else {
        Norq::copyText(record.order_flag, Norq::ORDER_FLAG_NORMAL.str());
    }
}

void applyEtfOrderRules(zq::HostOrderRecord& record) {
    Norq::copyText(record.order_flag, Norq::ORDER_FLAG_ETF.str());
    record.request.entrust_type = 0;
}

void fillOrderFromRequest(const Norq::OrderRequest& request, Norq::Order& order, const std::string& clientOrderId,
                          int32_t batchNo) {
    order = Norq::Order{};
    Norq::copyText(order.order_id, clientOrderId.c_str());
    Norq::copyField(order.symbol, request.symbol);
    order.amount = request.amount;
    order.side = request.side;
    order.price = request.price;
    order.entrust_type = request.entrust_type;
    order.action = request.action;
    order.invest_type = request.invest_type;
    order.close_direction = request.close_direction;
    order.covered_flag = request.covered_flag;
    Norq::copyField(order.price_type, request.price_type);
    order.batch_no = batchNo;
    order.status = 1;
}
