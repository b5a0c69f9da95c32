#include "host/hostorderbuilder.h"

#include <QUuid>
#include <cstring>

#include "sdk/textcopy.h"

std::string newClientOrderId() {
    return QUuid::createUuid().toString().toStdString();
}

std::string chooseClientOrderId(const std::string& given) {
    return given.empty() ? newClientOrderId() : given;
}

zq::HostOrderRecord buildHostOrder(const std::string& instanceId, const std::string& accountId,
                                   const std::string& clientOrderId, const Norq::OrderRequest& request) {
    zq::HostOrderRecord record{};
    zqinternal::copyText(record.instance_id, instanceId.c_str());
    zqinternal::copyText(record.account_id, accountId.c_str());
    zqinternal::copyText(record.client_order_id, clientOrderId.c_str());
    record.request = request;
    return record;
}

void fillOrderFromRequest(const Norq::OrderRequest& request, Norq::Order& order, const std::string& clientOrderId,
                          int32_t batchNo) {
    order = Norq::Order{};
    zqinternal::copyText(order.order_id, clientOrderId.c_str());
    zqinternal::copyField(order.symbol, request.symbol);
    order.amount = request.amount;
    order.side = request.side;
    order.price = request.price;
    order.entrust_type = request.entrust_type;
    order.action = request.action;
    order.invest_type = request.invest_type;
    order.close_direction = request.close_direction;
    order.covered_flag = request.covered_flag;
    zqinternal::copyField(order.price_type, request.price_type);
    order.batch_no = batchNo;
    order.status = 1;
}
