// The time text of orders and trades, held against Qt's own reading of the
// joined date and time digits, which is what the text is defined as.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>

#include "convert/timetext.h"

namespace {

std::string qtTimeText(int32_t date, int32_t timeOfDay) {
    const std::string joined = std::to_string(date) + std::to_string(timeOfDay);
    const QDateTime read = QDateTime::fromString(QString::fromStdString(joined), QStringLiteral("yyyyMMddhmmss"));
    return read.toString(QStringLiteral("yyyyMMdd hh:mm:ss zzz")).toStdString();
}

std::string ourTimeText(int32_t date, int32_t timeOfDay) {
    char text[zqinternal::kTimeTextCapacity];
    std::memset(text, 'x', sizeof text);
    const size_t length = zqinternal::formatTimeText(date, timeOfDay, text);
    if (length >= sizeof text || text[length] != '\0') return "(not NUL-terminated)";
    return std::string(text, length);
}

// Qt reads the joined text as local time. Any zone without daylight saving,
// as the host's, gives the text UTC gives; pinning UTC keeps the reference
// the same everywhere and spares glibc a look at /etc/localtime per call.
class TimeText : public ::testing::Test {
protected:
    void SetUp() override { qputenv("TZ", "UTC"), tzset(); }
    void TearDown() override { savedZone_.isNull() ? qunsetenv("TZ") : qputenv("TZ", savedZone_), tzset(); }

    // Compares every stamp `sweep` hands its callback with Qt's text. Returns
    // how many Qt could read: a sweep Qt rejects throughout proves nothing.
    template <typename Sweep>
    long expectSameAsQt(Sweep sweep) {
        long readByQt = 0, differences = 0;
        sweep([&](int32_t date, int32_t timeOfDay) {
            const std::string expected = qtTimeText(date, timeOfDay), actual = ourTimeText(date, timeOfDay);
            readByQt += !expected.empty();
            if (actual != expected && ++differences <= 10)
                ADD_FAILURE() << date << " " << timeOfDay << ": Qt '" << expected << "', ours '" << actual << "'";
        });
        EXPECT_EQ(differences, 0);
        EXPECT_GT(readByQt, 0);
        return readByQt;
    }
    const QByteArray savedZone_ = qgetenv("TZ");
};

// Every time of day and what lies just beyond, negative ones included.
template <typename Check>
void everyTimeOfDay(Check& check, int32_t date) {
    for (int32_t t = -100; t <= 240100; ++t) check(date, t);
    for (int32_t t : {999999, 1000000, 1000001, 2359590, INT32_MAX, INT32_MIN, -235959}) check(date, t);
}

TEST_F(TimeText, EveryTimeOfDayMatchesQt) {
    // After an eight-digit date: 10:00:00-23:59:59, 03:00:00-09:59:59 and 02:40:00-02:59:59.
    EXPECT_EQ(expectSameAsQt([](auto check) { everyTimeOfDay(check, 20240229); }), 14 * 3600 + 7 * 3600 + 20 * 60);
    // After a seven-digit one, also seven-digit times, for a two-digit hour.
    expectSameAsQt([](auto check) {
        everyTimeOfDay(check, 2023022);
        for (int32_t t = 1000000; t <= 9999999; t += 397) check(2023022, t);
    });
}

// Every day of several years, odd integers, and valid joined texts cut at
// every place where both halves are integers as std::to_string writes them.
TEST_F(TimeText, OddDatesIntegersAndSplitsMatchQt) {
    expectSameAsQt([](auto check) {
        // clang-format off
        static const int32_t dates[] = {INT32_MIN, -20240102, -1, 0, 1, 9, 10101, 99999, 202401, 2024010,
            2024022, 9990101, 10000101, 20240102, 99991231, 100000101, 202401021, 202401022, 2024010212, INT32_MAX};
        static const int32_t times[] = {INT32_MIN, -93015, -1, 0, 1, 9, 59, 959, 3015, 5959, 10000, 12345, 25959, 30150,
            93015, 93060, 100000, 235959, 240000, 293015, 999999, 1000000, 2093015, 9999999, 10000000, 123456789,
            INT32_MAX};
        // clang-format on
        for (int year : {1000, 1582, 1600, 1899, 1900, 1969, 1970, 2000, 2023, 2024, 2038, 2100, 2400, 9999})
            for (int month = 0; month <= 13; ++month)
                for (int day = 0; day <= 32; ++day)
                    for (int32_t t : {0, 5959, 12345, 25959, 93015, 123015, 235959})
                        check(year * 10000 + month * 100 + day, t);
        for (int32_t date : dates)
            for (int32_t t : times) check(date, t);
        for (const std::string joined : {"2024010293015", "20240102123015", "1999123123595", "20240229235959",
                                         "2024010225959", "1000010110101", "99991231235959", "2023111119111"})
            for (size_t cut = 1; cut < joined.size(); ++cut) {
                const std::string date = joined.substr(0, cut), timeOfDay = joined.substr(cut);
                if (timeOfDay[0] != '0' && date.size() <= 9 && timeOfDay.size() <= 9)
                    check(std::stoi(date), std::stoi(timeOfDay));
            }
    });
}

}  // namespace
