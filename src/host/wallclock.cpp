#include "host/wallclock.h"

#include <QDateTime>
#include <atomic>
#include <cstdio>
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

// Offsets from UTC change only at quarter hours of UTC (every zone's
// transitions fall on them), so one lookup serves a whole quarter hour.
// Asking Qt for local time costs microseconds a call: without TZ set, glibc
// reads the zone file each time.
constexpr int64_t kQuarterHourMs = 15 * 60 * 1000;

// Quarter-hour number in the high 40 bits, offset in seconds (biased to be
// positive) in the low 24, published as one word for readers on any thread.
std::atomic<uint64_t> cachedOffset{0};

int64_t offsetSecondsAt(int64_t msSinceEpoch) {
    const uint64_t quarter = static_cast<uint64_t>(msSinceEpoch / kQuarterHourMs);
    const uint64_t cached = cachedOffset.load(std::memory_order_relaxed);
    if (cached != 0 && cached >> 24 == quarter) return static_cast<int64_t>(cached & 0xffffff) - (1 << 23);
    const int64_t offset = QDateTime::fromMSecsSinceEpoch(msSinceEpoch).offsetFromUtc();
    cachedOffset.store(quarter << 24 | static_cast<uint64_t>(offset + (1 << 23)), std::memory_order_relaxed);
    return offset;
}

// The civil date of a day number counted from 1970-01-01.
void civilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

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

std::string localTimeText(int64_t msSinceEpoch) {
    const int64_t local = msSinceEpoch + offsetSecondsAt(msSinceEpoch) * 1000;
    const int64_t days = floorDiv(local, 86400000);
    const int64_t inDay = local - days * 86400000;
    int year = 0, month = 0, day = 0;
    civilFromDays(days, year, month, day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d %02d:%02d:%02d %03d", year, month, day,
                  static_cast<int>(inDay / 3600000), static_cast<int>(inDay / 60000 % 60),
                  static_cast<int>(inDay / 1000 % 60), static_cast<int>(inDay % 1000));
    return text;
}

std::string wallClockText() {
    if (const ClockSource* source = current.load()) {
        char text[22] = {};
        source->read(text, source->user);
        text[21] = '\0';
        return text;
    }
    return localTimeText(QDateTime::currentMSecsSinceEpoch());
}

std::string timeOfDayText() {
    std::string text = wallClockText();
    return text.size() > 9 ? text.substr(9) : text;
}
