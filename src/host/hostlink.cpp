#include "host/hostlink.h"

#include <atomic>

namespace {

std::atomic<zq::HostServices*> hostServices{nullptr};

}  // namespace

void HostLink::set(zq::HostServices* host) {
    hostServices.store(host);
}

zq::HostServices* HostLink::get() {
    return hostServices.load();
}
