// How a JSON request (host operation 0) is sent, for the host channel, and
// the result block every host request is answered through.
#pragma once

#include <cstdint>
#include <string>

#include "zq/hostresult.h"
#include "zq/hostservices.h"

// Qt's JSON object; only the callers that build one need its header.
class QJsonObject;

// A result block initialised as the host expects; the answer text the host
// may leave in it is released with free when the block goes.
class HostResultBlock {
public:
    HostResultBlock() = default;
    ~HostResultBlock();
    HostResultBlock(const HostResultBlock&) = delete;
    HostResultBlock& operator=(const HostResultBlock&) = delete;

    zq::HostResult* get() { return &result_; }
    // Only the low 32 bits of the code count.
    bool succeeded() const { return static_cast<int32_t>(result_.code) == 0; }
    bool hasText() const { return result_.data != nullptr; }
    std::string text() const { return result_.data ? result_.data : ""; }

private:
    zq::HostResult result_;
};

// What the host answered a JSON request, its text already copied and released.
struct HostReply {
    int32_t returned = -1;   // the operation's own 32-bit result
    bool succeeded = false;  // the result block's code is 0
    bool hasText = false;
    std::string text;

    bool usable() const { return succeeded && hasText; }
};

// Sends {"params": params} in compact form (members in ascending key order)
// under `code`. Without a host nothing is sent and the reply is a failure.
HostReply requestJson(zq::HostServices* host, int32_t code, const QJsonObject& params);
