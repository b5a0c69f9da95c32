// The library's one reference to the host's services, below every subsystem
// that talks to the host. The adapter sets it from SetHostServices; the SDK
// logger and the context read it. Any thread may read it while the host
// thread replaces it, so it is held atomically.
#pragma once

#include "zq/hostservices.h"

class HostLink {
public:
    static void set(zq::HostServices* host);
    // Null until the host hands its services over.
    static zq::HostServices* get();
};
