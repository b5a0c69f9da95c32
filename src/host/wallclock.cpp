#include "host/wallclock.h"

#include <QDateTime>
#include <atomic>
#include <deque>
#include <mutex>

#include "zq/clocksource.h"

namespace {

// The source and its user pointer change together, so they are published as
// one pair; readers on any thread load it atomically.
struct ClockSource {
    ZqClockSource read;
    void* user;
};

std::atomic<const ClockSource*> current{nullptr};
// Every source ever set, so that a reader still holding a replaced one reads
// valid memory. Hosts set the source once or a few times per process.
std::mutex sourcesLock;
std::deque<ClockSource> sources;  // guarded by sourcesLock

}  // namespace

extern "C" NORQ_EXPORT void SetClockSource(ZqClockSource source, void* user) {
    if (!source) {
        current.store(nullptr);
        return;
    }
    std::lock_guard<std::mutex> lock(sourcesLock);
    sources.push_back(ClockSource{source, user});
    current.store(&sources.back());
}

std::string wallClockText() {
    if (const ClockSource* source = current.load()) {
        char text[22] = {};
        source->read(text, source->user);
        text[21] = '\0';
        return text;
    }
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd hh:mm:ss zzz")).toStdString();
}

std::string timeOfDayText() {
    std::string text = wallClockText();
    return text.size() > 9 ? text.substr(9) : text;
}
