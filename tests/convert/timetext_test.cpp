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
#include <vector>

#include "convert/timetext.h"

namespace {

std::string qtTimeText(int32_t date, int32_t timeOfDay) {
    const std::string joined = std::to_string(date) + std::to_string(timeOfDay);
    const QDateTime read = QDateTime::fromString(QString::fromStdString(joined), QStringLiteral("yyyyMMddhmmss"));
    return read.toString(QStringLiteral("yyyyMMdd hh:mm:ss zzz")).toStdString();
}

std::string ourTimeText(int32_t date, int32_t timeOfDay) {
    char text[Norq::kTimeTextCapacity];
    std::memset(text, 'x', sizeof text);
    const size_t length = Norq::formatTimeText(date, timeOfDay, text);
    if (length >= sizeof text || text[length] != '\0') return "(not NUL-terminated)";
    return std::string(text, length);
}

// Qt reads the joined text as local time. The host's zone has no daylight
// saving, and any such zone gives the text UTC gives; pinning UTC keeps the
// reference the same on any developer machine, and spares glibc a look at
// /etc/localtime on every call, which would make the sweeps take seconds.
class UtcZone {
public:
    UtcZone() : hadZone_(qEnvironmentVariableIsSet("TZ")), saved_(qgetenv("TZ")) {
        qputenv("TZ", "UTC");
        tzset();
    }
    ~UtcZone() {
        if (hadZone_)
            qputenv("TZ", saved_);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    const bool hadZone_;
    const QByteArray saved_;
};

// Compares many stamps and reports the first few differences.
class QtComparison {
public:
    void check(int32_t date, int32_t timeOfDay) {
        const std::string expected = qtTimeText(date, timeOfDay);
        const std::string actual = ourTimeText(date, timeOfDay);
        ++compared_;
        if (!expected.empty()) ++readByQt_;
        if (actual == expected) return;
        if (++differences_ <= 10)
            report_ += std::to_string(date) + " " + std::to_string(timeOfDay) + ": Qt '" + expected + "', ours '" +
                       actual + "'\n";
    }
    void expectSame() const { EXPECT_EQ(differences_, 0) << "of " << compared_ << " stamps\n" << report_; }
    long readByQt() const { return readByQt_; }

private:
    long compared_ = 0;
    long readByQt_ = 0;
    long differences_ = 0;
    std::string report_;
};

class TimeText : public ::testing::Test {
    UtcZone zone_;
};

TEST_F(TimeText, ReadsTheJoinedDigitsAsQtDoes) {
    const struct {
        int32_t date;
        int32_t timeOfDay;
        const char* text;
    } cases[] = {
        {20240102, 93015, "20240102 09:30:15 000"},
        {20240102, 123015, "20240102 12:30:15 000"},
        {20240102, 235959, "20240102 23:59:59 000"},
        {20240102, 100000, "20240102 10:00:00 000"},
        {20240102, 12345, ""},  // hour 12, then too few digits
        {20240102, 20000, ""},
        {20240102, 25959, "20240102 02:59:59 000"},  // 25 is no hour, so 2
        {20240102, 24000, "20240102 02:40:00 000"},
        {20240102, 30000, "20240102 03:00:00 000"},
        {20240102, 5959, ""},  // before 01:00 the text is too short
        {20240102, 0, ""},
        {20240102, 240000, ""},
        {20240102, 999999, ""},
        {20240102, 1000000, ""},
        {20240102, 96015, ""},
        {20240102, 93060, ""},
        {20240102, -93015, ""},
        {2024010, 293015, "20240102 09:30:15 000"},  // the time lends a digit to the day
        {202401021, 30150, "20240102 13:01:50 000"},  // the date lends one to the hour
        {9990101, 293015, "99901012 09:30:15 000"},
        {9990101, 93015, ""},
        {20240229, 93015, "20240229 09:30:15 000"},
        {20230229, 93015, ""},
        {20000229, 93015, "20000229 09:30:15 000"},
        {19000229, 93015, ""},
        {20240431, 93015, ""},
        {20240001, 93015, ""},
        {20241301, 93015, ""},
        {20240100, 93015, ""},
        {-20240102, 93015, ""},
        {INT32_MIN, 93015, ""},
        {INT32_MAX, 93015, ""},
        {10000101, 93015, "10000101 09:30:15 000"},
        {99991231, 235959, "99991231 23:59:59 000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.date) + " " + std::to_string(c.timeOfDay));
        EXPECT_EQ(ourTimeText(c.date, c.timeOfDay), c.text);
        EXPECT_EQ(qtTimeText(c.date, c.timeOfDay), c.text);
    }
}

// Every time of day and what lies just beyond, negative ones included.
void checkEveryTimeOfDay(QtComparison& comparison, int32_t date) {
    for (int32_t t = -100; t <= 240100; ++t) comparison.check(date, t);
    for (int32_t t : {999999, 1000000, 1000001, 2359590, INT32_MAX, INT32_MIN, -235959}) comparison.check(date, t);
}

TEST_F(TimeText, EveryTimeOfDayAfterAnEightDigitDateMatchesQt) {
    QtComparison comparison;
    checkEveryTimeOfDay(comparison, 20240229);
    comparison.expectSame();
    // 10:00:00-23:59:59, 03:00:00-09:59:59 and 02:40:00-02:59:59.
    EXPECT_EQ(comparison.readByQt(), 14 * 3600 + 7 * 3600 + 20 * 60);
}

TEST_F(TimeText, EveryTimeOfDayAfterASevenDigitDateMatchesQt) {
    QtComparison comparison;
    checkEveryTimeOfDay(comparison, 2023022);
    // Seven-digit times make the fourteen digits a two-digit hour needs.
    for (int32_t t = 1000000; t <= 9999999; t += 397) comparison.check(2023022, t);
    comparison.expectSame();
    EXPECT_GT(comparison.readByQt(), 0);
}

TEST_F(TimeText, EveryDayOfSeveralYearsMatchesQt) {
    QtComparison comparison;
    for (int year : {1000, 1582, 1600, 1899, 1900, 1969, 1970, 2000, 2023, 2024, 2038, 2100, 2400, 9999})
        for (int month = 0; month <= 13; ++month)
            for (int day = 0; day <= 32; ++day)
                for (int32_t t : {0, 5959, 12345, 25959, 93015, 123015, 235959})
                    comparison.check(year * 10000 + month * 100 + day, t);
    comparison.expectSame();
    EXPECT_GT(comparison.readByQt(), 0);
}

TEST_F(TimeText, OddIntegersMatchQt) {
    const int32_t dates[] = {INT32_MIN, -20240102, -1, 0, 1, 9, 10101, 99999, 202401, 2024010, 2024022,
                             9990101, 10000101, 20240102, 99991231, 100000101, 202401021, 202401022,
                             2024010212, INT32_MAX};
    const int32_t times[] = {INT32_MIN, -93015, -1, 0, 1, 9, 59, 959, 3015, 5959, 10000, 12345, 25959, 93015,
                             100000, 235959, 240000, 999999, 1000000, 2093015, 9999999, 10000000,
                             123456789, INT32_MAX};
    QtComparison comparison;
    for (int32_t date : dates)
        for (int32_t t : times) comparison.check(date, t);
    comparison.expectSame();
    EXPECT_GT(comparison.readByQt(), 0);
}

// Valid joined texts cut at every place where both halves are integers as
// std::to_string writes them, so the fields straddle the two integers.
TEST_F(TimeText, ValidStampsSplitAnywhereMatchQt) {
    const char* joinedTexts[] = {"2024010293015",  "20240102123015", "1999123123595", "20240229235959",
                                 "2024010225959",  "1000010110101",  "99991231235959", "2023111119111"};
    QtComparison comparison;
    for (const std::string joined : joinedTexts)
        for (size_t cut = 1; cut < joined.size(); ++cut) {
            const std::string date = joined.substr(0, cut), timeOfDay = joined.substr(cut);
            if (timeOfDay[0] == '0' || date.size() > 9 || timeOfDay.size() > 9) continue;
            comparison.check(std::stoi(date), std::stoi(timeOfDay));
        }
    comparison.expectSame();
    EXPECT_GT(comparison.readByQt(), 0);
}

TEST_F(TimeText, CopyCutsToTheRecordField) {
    char wide[24];
    char narrow[9];
    std::memset(wide, 'x', sizeof wide);
    std::memset(narrow, 'x', sizeof narrow);
    Norq::copyTimeText(wide, 20240102, 93015);
    Norq::copyTimeText(narrow, 20240102, 93015);
    EXPECT_EQ(std::string(wide), "20240102 09:30:15 000");
    EXPECT_EQ(wide[21], '\0');
    EXPECT_EQ(wide[23], '\0');
    EXPECT_EQ(std::string(narrow), "20240102");
    Norq::copyTimeText(wide, 20240102, 12345);
    EXPECT_EQ(std::string(wide), "");
}

}  // namespace
