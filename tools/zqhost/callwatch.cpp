#include "callwatch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "exitstatus.h"
#include "hostlog.h"
#include "hostos.h"
#include "zq/hostcodes.h"

namespace zqhost {

namespace {

// The call in progress, written by the thread driving the strategy before
// each call and read by the crash handler (which can take no lock) and the
// watcher, only once that thread is stuck inside the call. A notification
// is kept as its parts and put into words only then: this is set three
// times a bar.
struct CallInProgress {
    std::atomic<bool> notification{false};
    uint32_t id = 0;
    const char* what = "";
    int64_t stamp = 0;
    char text[256] = "nothing";
};
CallInProgress current;

// The strategy callback a notification from the local host ends in.
const char* callbackOf(uint32_t id) {
    switch (id) {
    case zq::kNotifyTimerTick: return "a timer's callback";
    case zq::kNotifyDayBegins: return "onTradeDate1005";
    case zq::kNotifyDayEnds: return "onTradeDate1006";
    case zq::kNotifyFundUpdate: return "onFundUpdate";
    case zq::kNotifyPositionUpdate: return "onPositionUpdate";
    case zq::kNotifyBar: return "onKLine";
    case zq::kNotifyOrderReport: return "onOrderReport";
    case zq::kNotifyExecutionReport: return "onExecutionReport";
    case zq::kNotifyOrderReply: return "onOrderReply";
    default: return nullptr;
    }
}

const char* describeCall(char* out, size_t size) {
    if (!current.notification.load(std::memory_order_acquire)) return current.text;
    const char* callback = callbackOf(current.id);
    std::snprintf(out, size, "notification %u (%s%s%s) at simulated time %lld", current.id,
                  callback ? callback : "", callback ? ", " : "", current.what, static_cast<long long>(current.stamp));
    return out;
}

void onCrash(int signal) {
    std::fflush(nullptr);  // the log lines before the crash
    char text[256];
    std::fprintf(stderr, "\n[HOST] the strategy crashed (signal %d) during %s\n", signal,
                 describeCall(text, sizeof text));
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
    current.notification.store(false, std::memory_order_release);
    std::snprintf(current.text, sizeof current.text, "%s", what.c_str());
    started();
}

void CallWatch::begin(uint32_t id, const char* what, int64_t stamp) {
    current.id = id;
    current.what = what;
    current.stamp = stamp;
    current.notification.store(true, std::memory_order_release);
    started();
}

void CallWatch::started() {
    call_.fetch_add(1, std::memory_order_release);
    inCall_.store(true, std::memory_order_release);
}

void CallWatch::end() {
    inCall_.store(false, std::memory_order_release);
    current.notification.store(false, std::memory_order_release);
    std::snprintf(current.text, sizeof current.text, "nothing");
}

// Looks a few times a second instead of being woken by every call: a
// replay makes millions of calls, and waking a thread costs more than most.
void CallWatch::watch() {
    os::keepInterruptionsAway();
    const auto timeout = std::chrono::seconds(timeoutSeconds_);
    const auto look = std::min<std::chrono::steady_clock::duration>(timeout / 10, std::chrono::milliseconds(100));
    uint64_t seen = 0;
    auto seenSince = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> guard(lock_);
    while (!changed_.wait_for(guard, look, [this] { return stopping_; })) {
        uint64_t call = call_.load(std::memory_order_acquire);
        auto now = std::chrono::steady_clock::now();
        if (call != seen || !inCall_.load(std::memory_order_acquire)) {
            seen = call;
            seenSince = now;
            continue;
        }
        if (now - seenSince < timeout) continue;
        char text[256];
        hostLine(kLogError, "the strategy did not return from %s within %d s; stopping the run",
                 describeCall(text, sizeof text), timeoutSeconds_);
        flushLog();
        std::_Exit(kExitCallbackTimeout);
    }
}

void CallWatch::reportCrashes() {
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL}) std::signal(signal, onCrash);
}

}  // namespace zqhost
