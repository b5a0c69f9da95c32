#include "handlers/handlerorder.h"

#include "host/hostorderbuilder.h"
#include "sdk/textcopy.h"

Norq::OrderRequest handlerRequest(const char* symbol, int32_t quantity) {
    Norq::OrderRequest request{};
    zqinternal::copyText(request.symbol, sizeof(Norq::Order::symbol), symbol);
    request.amount = quantity;
    return request;
}

Norq::Order submitHandlerOrder(const HostChannel& channel, int32_t code, const std::string& accountId, const char* flag,
                               const Norq::OrderRequest& request) {
    return channel.submitOrder(accountId, newClientOrderId(), request, code,
                               [flag](zq::HostOrderRecord& record) { zqinternal::copyText(record.order_flag, flag); });
}
