#include "callwatch.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zqhost {

namespace {

// Read by the crash handler, which can take no lock.
char currentCall[256] = "nothing";

void onCrash(int signal) {
    std::fprintf(stderr, "\n[HOST] the strategy crashed (signal %d) during %s\n", signal, currentCall);
    std::fflush(stderr);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

CallWatch::CallWatch(int timeoutSeconds) : timeoutSeconds_(timeoutSeconds) {
    if (timeoutSeconds_ > 0) watcher_ = std::thread([this] { watch(); });
}

CallWatch::~CallWatch() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (watcher_.joinable()) watcher_.join();
}

void CallWatch::begin(const std::string& what) {
    std::snprintf(currentCall, sizeof currentCall, "%s", what.c_str());
    started();
}

void CallWatch::begin(uint32_t id, const char* what, int64_t stamp) {
    std::snprintf(currentCall, sizeof currentCall, "notification %u (%s) at simulated time %lld", id, what,
                  static_cast<long long>(stamp));
    started();
}

void CallWatch::started() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        ++call_;
        inCall_ = true;
    }
    changed_.notify_all();
}

void CallWatch::end() {
    std::snprintf(currentCall, sizeof currentCall, "nothing");
    {
        std::lock_guard<std::mutex> guard(lock_);
        inCall_ = false;
    }
    changed_.notify_all();
}

void CallWatch::watch() {
    std::unique_lock<std::mutex> guard(lock_);
    while (!stopping_) {
        changed_.wait(guard, [this] { return stopping_ || inCall_; });
        if (stopping_) return;
        uint64_t call = call_;
        bool returned = changed_.wait_for(guard, std::chrono::seconds(timeoutSeconds_),
                                          [&] { return stopping_ || !inCall_ || call_ != call; });
        if (returned) continue;
        std::printf("[HOST] the strategy did not return from %s within %d s; stopping the run\n", currentCall,
                    timeoutSeconds_);
        std::fflush(stdout);
        std::_Exit(4);
    }
}

void CallWatch::reportCrashes() {
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL}) std::signal(signal, onCrash);
}

}  // namespace zqhost
