// The library's local time text equals Qt's, offsets and daylight-saving
// changes included, in zones that have them.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <cstdint>

#include "host/wallclock.h"

namespace {

TEST(WallClock, LocalTimeTextMatchesQtAcrossOffsetChanges) {
    const QByteArray previous = qgetenv("TZ");
    // Each zone gets its own year, so no cached offset is carried across zones.
    struct Zone {
        const char* name;
        const char* from;  // UTC, a few days around a change
    } zones[] = {{"UTC", "2019-06-01T00:00:00"},
                 {"Asia/Shanghai", "2020-01-01T00:00:00"},
                 {"Europe/Berlin", "2021-03-26T00:00:00"},
                 {"America/New_York", "2022-11-04T00:00:00"},
                 {"Australia/Lord_Howe", "2023-09-29T00:00:00"}};
    for (const Zone& zone : zones) {
        qputenv("TZ", zone.name);
        int64_t start = QDateTime::fromString(zone.from, Qt::ISODate).toMSecsSinceEpoch();
        start = QDateTime(QDateTime::fromString(zone.from, Qt::ISODate).date(), {}, Qt::UTC).toMSecsSinceEpoch();
        // Every 7 minutes 13.5 seconds over four days: all quarter hours, both
        // sides of each change, odd milliseconds.
        for (int64_t ms = start; ms < start + 4 * 86400000LL; ms += 433500) {
            std::string qt = QDateTime::fromMSecsSinceEpoch(ms).toString("yyyyMMdd hh:mm:ss zzz").toStdString();
            ASSERT_EQ(localTimeText(ms), qt) << zone.name << " at " << ms;
        }
    }
    if (previous.isNull()) qunsetenv("TZ");
    else qputenv("TZ", previous);
}

}  // namespace
