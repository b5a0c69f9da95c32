// Base of every API object and of the timer handler: the host-services
// pointer, given by the context when the host hands it over. The host thread
// may set it while a strategy thread calls an API operation, so it is atomic.
#pragma once

#include <atomic>

#include "zq/hostservices.h"

class ZqApiBase {
public:
    void setHostServices(zq::HostServices* host) { host_.store(host); }
    // Null until the host hands its services over.
    zq::HostServices* hostServices() const { return host_.load(); }

protected:
    std::atomic<zq::HostServices*> host_{nullptr};
};
