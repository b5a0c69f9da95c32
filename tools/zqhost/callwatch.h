// What the host is asking of the strategy right now, so that a strategy
// that crashes or never returns is reported with the call in progress
// (notification and bar time) instead of dying silently or hanging the run.
#pragma once

#include <atomic>
#include <cstdint>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace zqhost {

class CallWatch {
public:
    // With a timeout of 0 calls may take as long as they take.
    explicit CallWatch(int timeoutSeconds);
    ~CallWatch();
    CallWatch(const CallWatch&) = delete;
    CallWatch& operator=(const CallWatch&) = delete;

    // A call into the strategy starts or ends. A call still running after
    // the timeout ends the process with status 4 after saying which.
    void begin(const std::string& what);
    // A notification: its id, what it carries, the simulated time.
    void begin(uint32_t id, const char* what, int64_t stamp);
    void end();

    // A crash then prints the call in progress before the process dies.
    static void reportCrashes();

private:
    void started();
    void watch();

    const int timeoutSeconds_;
    std::mutex lock_;
    std::condition_variable changed_;  // only for stopping_
    std::atomic<uint64_t> call_{0};    // which call, counted
    std::atomic<bool> inCall_{false};
    bool stopping_ = false;  // guarded by lock_
    std::thread watcher_;
};

}  // namespace zqhost
