// The library's local time text equals Qt's, offsets and daylight-saving
// changes included, in zones that have them.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <cstdint>

#include "host/wallclock.h"

namespace {

TEST(WallClock, LocalTimeTextMatchesQtAcrossOffsetChanges) {
    const QByteArray previous = qgetenv("TZ");
    // Each zone gets its own year, so no cached offset is carried across zones.
    const struct {
        const char* name;
        QDate from;  // UTC midnight: a few days before a change, in January, or to the end of February
    } zones[] = {{"UTC", {2000, 2, 27}}, {"Asia/Shanghai", {2020, 1, 1}}, {"Europe/Berlin", {2021, 3, 26}},
                 {"America/New_York", {2022, 11, 4}}, {"Australia/Lord_Howe", {2023, 9, 29}}};
    for (const auto& zone : zones) {
        qputenv("TZ", zone.name);
        const int64_t start = QDateTime(zone.from, {}, Qt::UTC).toMSecsSinceEpoch();
        // Every 7 minutes 13.5 seconds over four days: all quarter hours, both
        // sides of each change, odd milliseconds.
        for (int64_t ms = start; ms < start + 4 * 86400000LL; ms += 433500) {
            std::string qt = QDateTime::fromMSecsSinceEpoch(ms).toString("yyyyMMdd hh:mm:ss zzz").toStdString();
            ASSERT_EQ(localTimeText(ms), qt) << zone.name << " at " << ms;
        }
    }
    previous.isNull() ? qunsetenv("TZ") : qputenv("TZ", previous);
}

}  // namespace
