#include "host/hostchannel.h"

#include <QJsonObject>
#include <atomic>

#include "host/accounttype.h"
#include "host/hostorderbuilder.h"

namespace {

std::atomic<zq::HostServices*> hostServices{nullptr};

}  // namespace

HostChannel& HostChannel::instance() {
    static HostChannel channel;
    return channel;
}

void HostChannel::setHost(zq::HostServices* host) {
    hostServices.store(host);
}

zq::HostServices* HostChannel::host() const {
    return hostServices.load();
}

HostReply HostChannel::request(int32_t code, const QJsonObject& params) const {
    return requestJson(host(), code, params);
}

std::string HostChannel::accountId(int32_t accountType) const {
    zq::HostServices* services = host();
    return services ? services->GetAccountId(accountTypeName(accountType)) : std::string();
}

std::string HostChannel::instanceId() const {
    zq::HostServices* services = host();
    return services ? services->GetInstanceId() : std::string();
}

Norq::Order HostChannel::submitOrder(const std::string& accountId, const std::string& clientOrderId,
                                     const Norq::OrderRequest& request, int32_t bufferCode,
                                     const std::function<void(zq::HostOrderRecord&)>& finish) const {
    Norq::Order result{};
    zq::HostServices* services = host();
    if (!services) return result;
    zq::HostOrderRecord record = buildHostOrder(services->GetInstanceId(), accountId, clientOrderId, request);
    finish(record);
    HostResultBlock answer;
    int32_t status = bufferCode == kOrderOperation
                         ? services->SubmitOrder(&record, answer.get())
                         : services->SubmitBuffer(bufferCode, &record, sizeof record, answer.get());
    if (status == 0) fillOrderFromRequest(request, result, clientOrderId, 0);
    return result;
}
