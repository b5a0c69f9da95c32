#include "interruption.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace zqhost {

namespace {

std::atomic<int> interruptions{0};
static_assert(std::atomic<int>::is_always_lock_free, "read and written by a signal handler");

extern "C" void onInterruption(int signal) {
    if (interruptions.fetch_add(1) > 0) {
        std::fflush(nullptr);  // the log lines so far
        std::_Exit(kExitInterrupted);
    }
    std::signal(signal, onInterruption);  // where the handler is reset on delivery
}

}  // namespace

void catchInterruptions() {
    std::signal(SIGINT, onInterruption);
    std::signal(SIGTERM, onInterruption);
}

bool interruptRequested() {
    return interruptions.load() > 0;
}

}  // namespace zqhost
