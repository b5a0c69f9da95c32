// Bar files and traces read a line at a time, plain or gzip-compressed, and
// the bars of a replay read batch by batch on a thread of their own.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "barcatalog.h"
#include "bars.h"
#include "barstream.h"
#include "gzfile.h"

namespace {

using namespace zqhost;

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("zqhost_gzfile_" + name)).string();
}

std::string write(const std::string& name, const std::string& text) {
    std::string path = tempPath(name), error;
    TextWriter out;
    EXPECT_TRUE(out.open(path, error)) << error;
    out.write(text);
    EXPECT_TRUE(out.close());
    return path;
}

std::vector<std::string> readAll(const std::string& path, LineReader& in) {
    std::string error;
    EXPECT_TRUE(in.open(path, error)) << error;
    std::vector<std::string> lines;
    std::string_view line;
    while (in.next(line)) lines.emplace_back(line);
    EXPECT_EQ(in.failed(), "");
    return lines;
}

// A plain file holds the text as written; a compressed one starts with
// gzip's magic bytes.
TEST(LineReader, GivesEveryLineWholePlainAndCompressed) {
    const std::string longLine(300000, 'x');  // longer than the reader's buffer
    const struct { const char* name; std::string text; std::vector<std::string> lines; } cases[] = {
        {"empty", "", {}},
        {"one line without an end", "a,b", {"a,b"}},
        {"newline ends", "a\nb\n", {"a", "b"}},
        {"carriage returns dropped before newlines only", "a\r\nb\rc\r\n", {"a", "b\rc"}},
        {"blank lines kept", "\n\na\n", {"", "", "a"}},
        {"a line longer than the buffer", "h\n" + longLine + "\nt", {"h", longLine, "t"}},
    };
    for (const auto& c : cases) {
        for (const char* suffix : {".csv", ".csv.gz"}) {
            std::string path = write(std::string("lines") + suffix, c.text);
            std::ifstream file(path, std::ios::binary);
            std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            EXPECT_EQ(suffix[4] ? bytes.substr(0, 2) : bytes, suffix[4] ? "\x1f\x8b" : c.text) << c.name << suffix;
            LineReader in;
            EXPECT_EQ(readAll(path, in), c.lines) << c.name << " " << suffix;
            EXPECT_EQ(in.lineNumber(), static_cast<int64_t>(c.lines.size())) << c.name;
            std::remove(path.c_str());
        }
    }
}

TEST(LineReader, ReadsTheSameLinesAgainFromAnOffsetItGave) {
    for (const char* suffix : {".csv", ".csv.gz"}) {
        std::string path = write(std::string("seek") + suffix, "h\none\ntwo\r\nthree\n");
        LineReader in;
        std::string error;
        ASSERT_TRUE(in.open(path, error));
        std::string_view line;
        ASSERT_TRUE(in.next(line) && in.next(line));
        int64_t offset = in.offset(), number = in.lineNumber();
        ASSERT_TRUE(in.next(line) && in.next(line));
        ASSERT_TRUE(in.seek(offset, number));
        ASSERT_TRUE(in.next(line));
        EXPECT_EQ(line, "two") << suffix;
        EXPECT_EQ(in.lineNumber(), 3) << suffix;
        std::remove(path.c_str());
    }
}

TEST(LineReader, SaysWhyAFileCannotBeReadOrIsCutShort) {
    LineReader in;
    std::string error, tmp = std::filesystem::temp_directory_path().string();
    EXPECT_FALSE(in.open("/nonexistent/bars.csv", error));
    EXPECT_EQ(error, "/nonexistent/bars.csv: No such file or directory");
    EXPECT_FALSE(in.open(tmp, error));
    EXPECT_EQ(error, tmp + ": is a directory");
    std::string whole = write("whole.csv.gz", std::string(5000, 'x') + "\nlast\n"), cut = tempPath("cut.csv.gz");
    std::filesystem::copy_file(whole, cut, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(cut, std::filesystem::file_size(whole) - 4);
    ASSERT_TRUE(in.open(cut, error));
    for (std::string_view line; in.next(line);) {
    }
    EXPECT_EQ(in.failed(), cut + ": the compressed data stops before its end: the file is cut short");
}

TEST(BarTimes, ReadTheThreeFormsAndOnlyRealTimes) {
    struct Case { const char* text; int64_t stamp; } cases[] = {  // 0: refused
        {"2024-03-04 09:31:05", 20240304093105}, {"2024-03-04", 20240304000000},
        {"20240304093105", 20240304093105},      {"2024-2-29 9:05:00", 20240229090500},
        {"2023-02-29", 0},                       {"2024-03-04 24:00:00", 0},
        {"2024-03-04 09:31", 0},                 {"2024-03-04T09:31:05", 0},
        {"2024030409310", 0},                    {"", 0},
        {"2024-13-01 09:30:00", 0},              {"2024-00-10 09:30:00", 0},
        {"2024-04-31 09:30:00", 0},              {"0000-01-01 09:30:00", 0},
        {"2024-03-04 09:60:00", 0},              {"2024-03-04 09:31:60", 0},
        {"2024-03-00 09:30:00", 0},              {"2024-03-04 09-31-05", 0},
    };
    for (const Case& c : cases) {
        int64_t stamp = 0, seconds = 0;
        EXPECT_EQ(parseStamp(c.text, stamp, seconds), c.stamp != 0) << c.text;
        EXPECT_EQ(c.stamp ? stamp : 0, c.stamp) << c.text;
    }
    int64_t stamp = 0, seconds = 0;
    ASSERT_TRUE(parseStamp("2024-01-02 09:30:00", stamp, seconds));
    EXPECT_EQ(seconds, 1704187800);
    EXPECT_EQ(displayTime(stamp), "2024-01-02 09:30:00");
    EXPECT_EQ(hostTime(stamp), "20240102 09:30:00 000");
}


// Minute bars of two symbols from 2024-01-02 00:00, one row each a minute
// apart, the close counting the rows; row `bad` (1-based, 0: none) has a
// close that is no number.
std::string writeBars(const std::string& name, int rows, int bad = 0) {
    std::string path = tempPath("stream_" + name + ".csv");
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

// A stream over the file at `path`, opened as a replay opens it.
struct Opened {
    explicit Opened(const std::string& path) {
        catalog.paths = {path};
        EXPECT_TRUE(scanBarFiles(catalog, 0, error) && stream.open(catalog, error)) << error;
    }
    BarCatalog catalog;
    BarStream stream;
    Bar bar;
    std::string error;
};

TEST(BarStream, GivesEveryBarInOrderWithItsOwnPushAcrossManyBatches) {
    const int rows = static_cast<int>(BarStream::kBatchBars * (BarStream::kBatches + 3) + 5);
    Opened in(writeBars("many", rows));
    int count = 0;
    for (int64_t last = 0; in.stream.next(in.bar, in.error); ++count, last = in.bar.stamp) {
        ASSERT_EQ(in.bar.close, count + 1) << "row " << count + 1;
        ASSERT_GE(in.bar.stamp, last);
        const std::string push = in.stream.pushText();
        ASSERT_NE(push.find("\"security_symbol\":\"" + in.bar.symbol + "\""), std::string::npos) << push;
        ASSERT_NE(push.find(",\"close\":" + std::to_string(count + 1) + ","), std::string::npos) << push;
    }
    EXPECT_EQ(in.error, "");
    EXPECT_EQ(count, rows);
    EXPECT_EQ(in.stream.peek(), nullptr);
    EXPECT_FALSE(in.stream.next(in.bar, in.error)) << "the end stays the end";
}

TEST(BarStream, ABadRowEndsItAfterTheBarsBeforeIt) {
    const int bad = static_cast<int>(BarStream::kBatchBars * 2 + 7);
    const std::string path = writeBars("bad", bad + 10, bad);
    Opened in(path);
    int count = 0;
    while (in.stream.next(in.bar, in.error)) ++count;
    EXPECT_EQ(count, bad - 1);
    EXPECT_EQ(in.error, path + ":" + std::to_string(bad + 1) + ": bad close 'x'");
}

TEST(BarStream, LeftEarlyStopsItsThread) {
    for (int taken : {0, 1, static_cast<int>(BarStream::kBatchBars * 3)}) {
        Opened in(writeBars("early", static_cast<int>(BarStream::kBatchBars * 10)));
        for (int i = 0; i < taken; ++i) ASSERT_TRUE(in.stream.next(in.bar, in.error)) << in.error;
        ASSERT_NE(in.stream.peek(), nullptr);
    }  // each stream's destructor joins a reading thread that is waiting for room
}

}  // namespace
