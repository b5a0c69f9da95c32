// The bars of a replay are read on a thread of their own, batch by batch:
// whatever the batches, every bar comes in time order with its own push
// text, a row that cannot be read ends the stream only after the bars
// before it, and a stream left early stops its thread.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "barcatalog.h"
#include "barstream.h"

namespace {

using zqhost::Bar;
using zqhost::BarCatalog;
using zqhost::BarStream;

// Minute bars of two symbols from 2024-01-02 00:00, one row each a minute
// apart, the close counting the rows; row `bad` (1-based, 0: none) has a
// close that is no number.
std::string writeBars(const std::string& name, int rows, int bad = 0) {
    std::string path = (std::filesystem::temp_directory_path() / ("zqhost_barstream_" + name + ".csv")).string();
    std::ofstream out(path);
    out << "symbol,time,open,high,low,close,volume\n";
    for (int i = 1; i <= rows; ++i) {
        int minute = (i - 1) / 2;
        char time[32];
        std::snprintf(time, sizeof time, "2024-01-%02d %02d:%02d:00", 2 + minute / 1440, minute / 60 % 24, minute % 60);
        out << (i % 2 ? "600000.SH," : "000001.SZ,") << time << ",1,2,0.5," << (i == bad ? "x" : std::to_string(i))
            << ",10\n";
    }
    return path;
}

bool open(BarCatalog& catalog, BarStream& stream, const std::string& path) {
    catalog.paths = {path};
    std::string error;
    EXPECT_TRUE(zqhost::scanBarFiles(catalog, 0, error)) << error;
    EXPECT_TRUE(stream.open(catalog, error)) << error;
    return error.empty();
}

TEST(BarStream, GivesEveryBarInOrderWithItsOwnPushAcrossManyBatches) {
    const int rows = static_cast<int>(BarStream::kBatchBars * (BarStream::kBatches + 3) + 5);
    BarCatalog catalog;
    BarStream stream;
    ASSERT_TRUE(open(catalog, stream, writeBars("many", rows)));
    Bar bar;
    std::string error;
    int count = 0;
    int64_t last = 0;
    for (; stream.next(bar, error); ++count) {
        ASSERT_EQ(bar.close, count + 1) << "row " << count + 1;
        ASSERT_GE(bar.stamp, last);
        last = bar.stamp;
        const std::string push = stream.pushText();
        ASSERT_NE(push.find("\"security_symbol\":\"" + bar.symbol + "\""), std::string::npos) << push;
        ASSERT_NE(push.find(",\"close\":" + std::to_string(count + 1) + ","), std::string::npos) << push;
    }
    EXPECT_EQ(error, "");
    EXPECT_EQ(count, rows);
    EXPECT_EQ(stream.peek(), nullptr);
    EXPECT_FALSE(stream.next(bar, error)) << "the end stays the end";
}

TEST(BarStream, ABadRowEndsItAfterTheBarsBeforeIt) {
    const int bad = static_cast<int>(BarStream::kBatchBars * 2 + 7);
    BarCatalog catalog;
    BarStream stream;
    const std::string path = writeBars("bad", bad + 10, bad);
    ASSERT_TRUE(open(catalog, stream, path));
    Bar bar;
    std::string error;
    int count = 0;
    while (stream.next(bar, error)) ++count;
    EXPECT_EQ(count, bad - 1);
    EXPECT_EQ(error, path + ":" + std::to_string(bad + 1) + ": bad close 'x'");
}

TEST(BarStream, LeftEarlyStopsItsThread) {
    for (int taken : {0, 1, static_cast<int>(BarStream::kBatchBars * 3)}) {
        BarCatalog catalog;
        BarStream stream;
        ASSERT_TRUE(open(catalog, stream, writeBars("early", static_cast<int>(BarStream::kBatchBars * 10))));
        Bar bar;
        std::string error;
        for (int i = 0; i < taken; ++i) ASSERT_TRUE(stream.next(bar, error)) << error;
        ASSERT_NE(stream.peek(), nullptr);
    }  // each stream's destructor joins a reading thread that is waiting for room
}

}  // namespace
