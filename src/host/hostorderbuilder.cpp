#include "host/hostorderbuilder.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QUuid>
#include <cstring>

#include "sdk/textcopy.h"

// A random (version 4) UUID drawn from Qt's process-wide generator, which
// the system seeds once: QUuid::createUuid asks the processor's own random
// source every time, about a microsecond, and a replay may place an order
// every few bars.
std::string newClientOrderId() {
    quint32 words[4];
    QRandomGenerator::global()->fillRange(words);
    QByteArray bytes(reinterpret_cast<const char*>(words), sizeof words);
    bytes[6] = static_cast<char>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<char>((bytes[8] & 0x3F) | 0x80);  // the RFC 4122 variant
    return QUuid::fromRfc4122(bytes).toString().toStdString();
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
