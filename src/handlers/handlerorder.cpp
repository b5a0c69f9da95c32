#include "handlers/handlerorder.h"

#include "host/hostrequest.h"
#include "sdk/textcopy.h"
#include "sysapi/hostorderbuilder.h"

Norq::OrderRequest handlerRequest(const char* symbol, int32_t quantity) {
    Norq::OrderRequest request{};
    Norq::copyText(request.symbol, sizeof(Norq::Order::symbol), symbol);
    request.amount = quantity;
    return request;
}

Norq::Order submitHandlerOrder(zq::HostServices* host, int32_t code, const std::string& accountId, const char* flag,
                               const Norq::OrderRequest& request) {
    Norq::Order result{};
    std::string id = newClientOrderId();
    zq::HostOrderRecord record = buildHostOrder(host->GetInstanceId(), accountId, id, request);
    Norq::copyText(record.order_flag, flag);
    HostResultBlock answer;
    // A refusal is told by the zero Order alone; the host reports why.
    if (host->SubmitBuffer(code, &record, sizeof record, answer.get()) == 0)
        fillOrderFromRequest(request, result, id, 0);
    return result;
}
