// The library's one channel to the host, below every subsystem that talks to
// it: who the host is (the services the adapter hands over in
// SetHostServices), how a JSON request is sent and its answer released, how
// an account is looked up (and its absence reported), and the one path an
// order record takes to the host. There is one channel per process; the API
// objects, the timers, the logger and the context all read it. Any thread
// may use it while the host thread replaces the host, so the pointer is
// held atomically; the channel holds no lock around host calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/hostrequest.h"
#include "norq/records.h"
#include "norq/requests.h"
#include "zq/hostorder.h"
#include "zq/hostservices.h"

// Qt's JSON object; only the callers that build one need its header.
class QJsonObject;

class HostChannel {
public:
    static HostChannel& instance();

    void setHost(zq::HostServices* host);
    // Null until the host hands its services over.
    zq::HostServices* host() const;

    // Sends {"params": params} in compact form (members in ascending key
    // order) under `code` (host operation 0). Without a host nothing is sent
    // and the reply is a failure.
    HostReply request(int32_t code, const QJsonObject& params) const;

    // The host's account id for the account type (host operation 22); empty
    // when the host has none or there is no host yet.
    std::string accountId(int32_t accountType) const;

    // The same, and when it is empty `logMissing` writes the operation's own
    // failure line, so that no caller forgets it.
    template <typename LogMissing>
    std::string accountOrLog(int32_t accountType, LogMissing&& logMissing) const {
        std::string id = accountId(accountType);
        if (id.empty()) logMissing();
        return id;
    }

    // The running strategy's instance id (host operation 23); empty without
    // a host.
    std::string instanceId() const;

    // Host operation 24 (`bufferCode` kOrderOperation) or 25 under
    // `bufferCode`, for SubmitOrder.
    static constexpr int32_t kOrderOperation = 0;

    // The one way an order reaches the host: the record for `request` (the
    // instance id, `accountId`, `clientOrderId`), finished by `finish` (its
    // flag and the operation's own rules), is submitted through host
    // operation 24, or through 25 under `bufferCode`. On acceptance the Order
    // describes `request` as the strategy gave it (status 1, order_id the
    // client order id, batch 0); on refusal, or without a host, it is all
    // zero: the host reports why.
    Norq::Order submitOrder(const std::string& accountId, const std::string& clientOrderId,
                            const Norq::OrderRequest& request, int32_t bufferCode,
                            const std::function<void(zq::HostOrderRecord&)>& finish) const;

private:
    HostChannel() = default;
};
