#include "timer/zqtimersignalhandler.h"

#include <algorithm>
#include <iterator>

#include "adapter/strategycall.h"
#include "host/wallclock.h"
#include "norq/zqlog.h"

namespace {

// "hh:mm:ss zzz"
constexpr size_t kTimeLength = 12;

std::string realClock() {
    return timeOfDayText();
}

std::string textOf(const char* text) {
    return text ? text : "";
}

std::string tickTimeOf(const std::string& tickText) {
    return tickText.size() <= kTimeLength ? tickText : tickText.substr(tickText.size() - kTimeLength);
}

// A negative interval counts like its magnitude; taking the magnitude in 64
// bits keeps INT32_MIN representable and the divisor positive. Interval 0
// has no multiples to wait for, so it never fires.
bool isMultiple(int64_t accumulated, int32_t interval) {
    if (interval == 0) return false;
    const int64_t divisor = interval < 0 ? -static_cast<int64_t>(interval) : interval;
    return accumulated % divisor == 0;
}

}  // namespace

ZqTimerSignalHandler& ZqTimerSignalHandler::instance() {
    static ZqTimerSignalHandler handler;
    return handler;
}

ZqTimerSignalHandler::ZqTimerSignalHandler(Clock clock) : clock_(clock ? std::move(clock) : Clock(realClock)) {}

int32_t ZqTimerSignalHandler::registerTimer(int32_t interval, const char* startTime, const char* endTime,
                                            const char* userData) {
    PeriodicTimer timer;
    timer.startTime = textOf(startTime);
    timer.endTime = textOf(endTime);
    timer.interval = interval;
    timer.userData = textOf(userData);
    WriteLocker<SharedMutex> lock(periodicLock_);
    timer.id = nextId_++;
    periodic_.push_back(std::move(timer));
    return 0;
}

// A null trigger time counts as empty, which sorts before every time of day
// and so is always refused.
int32_t ZqTimerSignalHandler::registerSingleTimer(const char* triggerTime, const char* userData) {
    std::string trigger = textOf(triggerTime);
    const std::string now = clock_();
    if (!(now < trigger)) {
        Norq::ZqLog("zqtimersignalhandler", __LINE__, "ZqTimerSignalHandler::registerSingleTimer").warn()
            << "单次定时信号触发时间[" << trigger.c_str() << "]小于等于当前时间[" << now.c_str()
            << "]，定时信号将不会被触发";
        return -1;
    }
    WriteLocker<SharedMutex> lock(singleLock_);
    std::vector<SingleTimer>& timers = single_[trigger];
    timers.push_back(SingleTimer{std::move(trigger), textOf(userData)});
    return 0;
}

// Callbacks run with no lock held; the ended timers go last, picked by id,
// so timers a callback registered meanwhile stay.
void ZqTimerSignalHandler::fire(const char* tickText, Norq::IZqContext* context) {
    std::vector<PeriodicTimer> due;
    std::vector<uint64_t> ended;
    countTick(tickTimeOf(textOf(tickText)), due, ended);
    for (const PeriodicTimer& t : due) {
        Norq::IStrategyHandler* s = strategy();
        if (!s) break;
        callStrategy("onTimer", [&] {
            s->onTimer(context, t.interval, t.startTime.c_str(), t.endTime.c_str(), t.userData.c_str());
        });
    }
    for (const SingleTimer& t : takeDueSingles()) {
        Norq::IStrategyHandler* s = strategy();
        if (!s) break;
        callStrategy("onSingleTimer", [&] { s->onSingleTimer(context, t.triggerTime.c_str(), t.userData.c_str()); });
    }
    removeEnded(ended);
}

// Without a host the tick has length 0: counting timers stand still, and as
// 0 is a multiple of every interval they fire on each tick.
int32_t ZqTimerSignalHandler::tickLength() const {
    zq::HostServices* host = hostServices();
    return host ? host->GetTickLength() : 0;
}

// A timer with a start time waits for it and fires on its first tick there
// without counting it; after the end time it ends, the end tick itself
// still counting.
ZqTimerSignalHandler::Step ZqTimerSignalHandler::advance(PeriodicTimer& timer, const std::string& tickTime,
                                                         int32_t tickLength) {
    if (!timer.startTime.empty()) {
        if (tickTime < timer.startTime) return Step::Wait;
        if (!timer.started) {
            timer.started = true;
            return Step::Fire;
        }
    }
    if (!timer.endTime.empty() && timer.endTime < tickTime) return Step::End;
    timer.accumulated += tickLength;
    return isMultiple(timer.accumulated, timer.interval) ? Step::Fire : Step::Wait;
}

void ZqTimerSignalHandler::countTick(const std::string& tickTime, std::vector<PeriodicTimer>& due,
                                     std::vector<uint64_t>& ended) {
    WriteLocker<SharedMutex> lock(periodicLock_);
    for (PeriodicTimer& timer : periodic_) {
        switch (advance(timer, tickTime, tickLength())) {
        case Step::Fire: due.push_back(timer); break;
        case Step::End: ended.push_back(timer.id); break;
        case Step::Wait: break;
        }
    }
}

std::vector<ZqTimerSignalHandler::SingleTimer> ZqTimerSignalHandler::takeDueSingles() {
    {
        ReadLocker<SharedMutex> lock(singleLock_);
        if (single_.empty() || clock_() < single_.begin()->first) return {};
    }
    std::vector<SingleTimer> due;
    WriteLocker<SharedMutex> lock(singleLock_);
    // Another firing thread may have emptied the table in between.
    if (single_.empty()) return due;
    do {
        std::vector<SingleTimer>& timers = single_.begin()->second;
        std::move(timers.begin(), timers.end(), std::back_inserter(due));
        single_.erase(single_.begin());
    } while (!single_.empty() && !(clock_() < single_.begin()->first));
    return due;
}

void ZqTimerSignalHandler::removeEnded(const std::vector<uint64_t>& ended) {
    if (ended.empty()) return;
    WriteLocker<SharedMutex> lock(periodicLock_);
    periodic_.remove_if(
        [&](const PeriodicTimer& timer) { return std::find(ended.begin(), ended.end(), timer.id) != ended.end(); });
}
