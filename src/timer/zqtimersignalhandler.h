// The strategy's timers: periodic timers that count the host's ticks between
// an optional start and end time, and one-shot timers that fire once when
// the local clock reaches their time of day. Times are "hh:mm:ss zzz" texts,
// compared as texts. One per process, created on first use; the tables
// outlive strategy reloads, only the strategy they call changes.
//
// Threads: registration comes from strategy code on any thread, firing from
// the thread that delivers the host's tick. Each table has its own
// read-write lock (GUARDED_BY below); no thread holds both, and no callback
// is made with one held, so a callback may register timers.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "host/threadannotations.h"
#include "host/zqapibase.h"
#include "norq/istrategyhandler.h"

class ZqTimerSignalHandler : public ZqApiBase {
public:
    // The local time of day as "hh:mm:ss zzz".
    using Clock = std::function<std::string()>;

    static ZqTimerSignalHandler& instance();

    // The process has one, through instance(); tests make their own with a
    // clock they control.
    explicit ZqTimerSignalHandler(Clock clock = Clock());

    // The strategy that receives the timer callbacks; null when none is loaded.
    void setStrategy(Norq::IStrategyHandler* strategy) { strategy_.store(strategy); }
    Norq::IStrategyHandler* strategy() const { return strategy_.load(); }

    // Always 0. Null texts count as empty; an empty start or end means none.
    int32_t registerTimer(int32_t interval, const char* startTime, const char* endTime, const char* userData)
        EXCLUDES(periodicLock_);
    // 0 when registered; -1, with a warning, when the time is not after now.
    int32_t registerSingleTimer(const char* triggerTime, const char* userData) EXCLUDES(singleLock_);
    // One host tick: `tickText` ends in the tick's "hh:mm:ss zzz". Callbacks
    // go to the strategy with `context`.
    void fire(const char* tickText, Norq::IZqContext* context) EXCLUDES(periodicLock_, singleLock_);

private:
    struct PeriodicTimer {
        std::string startTime;
        std::string endTime;
        int32_t interval = 0;
        std::string userData;
        int64_t accumulated = 0;
        bool started = false;
        uint64_t id = 0;  // names the timer for its removal after the callbacks
    };
    struct SingleTimer {
        std::string triggerTime;
        std::string userData;
    };
    // What one tick does to one periodic timer.
    enum class Step { Wait, Fire, End };

    static Step advance(PeriodicTimer& timer, const std::string& tickTime, int32_t tickLength);
    int32_t tickLength() const;
    // Advances every periodic timer; copies the ones to fire into `due` and
    // the ids of the ended ones into `ended`, both in list order.
    void countTick(const std::string& tickTime, std::vector<PeriodicTimer>& due, std::vector<uint64_t>& ended)
        EXCLUDES(periodicLock_);
    // Takes out the one-shot timers whose time has come, earliest first.
    std::vector<SingleTimer> takeDueSingles() EXCLUDES(singleLock_);
    void removeEnded(const std::vector<uint64_t>& ended) EXCLUDES(periodicLock_);

    const Clock clock_;  // constant after construction
    SharedMutex periodicLock_;
    std::list<PeriodicTimer> periodic_ GUARDED_BY(periodicLock_);  // in registration order
    uint64_t nextId_ GUARDED_BY(periodicLock_) = 0;
    SharedMutex singleLock_;
    std::map<std::string, std::vector<SingleTimer>> single_ GUARDED_BY(singleLock_);
    std::atomic<Norq::IStrategyHandler*> strategy_{nullptr};
};
