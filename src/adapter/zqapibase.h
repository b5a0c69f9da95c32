// Base of every API object and of the timer handler: the host-services
// pointer, set by the context once the host hands it over.
#pragma once

#include "zq/hostservices.h"

class ZqApiBase {
public:
    void setHostServices(zq::HostServices* host) { host_ = host; }
    zq::HostServices* hostServices() const { return host_; }

protected:
    zq::HostServices* host_ = nullptr;
};
