#include "callwatch.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostlog.h"

namespace zqhost {

namespace {

// Read by the crash handler, which can take no lock.
char currentCall[256] = "nothing";

// The strategy callback a notification from the local host ends in.
const char* callbackOf(uint32_t id) {
    switch (id) {
    case 1004: return "a timer's callback";
    case 1005: return "onTradeDate1005";
    case 1006: return "onTradeDate1006";
    case 1007: return "onFundUpdate";
    case 1008: return "onPositionUpdate";
    case 1061: return "onKLine";
    case 1081: return "onOrderReport";
    case 1082: return "onExecutionReport";
    case 1090: return "onOrderReply";
    default: return nullptr;
    }
}

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
    const char* callback = callbackOf(id);
    std::snprintf(currentCall, sizeof currentCall, "notification %u (%s%s%s) at simulated time %lld", id,
                  callback ? callback : "", callback ? ", " : "", what, static_cast<long long>(stamp));
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
        hostLine(kLogError, "the strategy did not return from %s within %d s; stopping the run", currentCall,
                 timeoutSeconds_);
        std::_Exit(4);
    }
}

void CallWatch::reportCrashes() {
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL}) std::signal(signal, onCrash);
}

}  // namespace zqhost
