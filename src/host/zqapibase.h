// Base of every API object and of the timer handler: a view onto the one
// host channel (host/hostchannel.h), which the adapter points at the host.
// It holds nothing of its own, so any thread may use it.
#pragma once

#include "host/hostchannel.h"

class ZqApiBase {
public:
    const HostChannel& channel() const { return HostChannel::instance(); }
    // Null until the host hands its services over.
    zq::HostServices* hostServices() const { return channel().host(); }
};
