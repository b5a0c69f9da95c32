// Bar files and traces are read a line at a time through LineReader, plain or
// gzip-compressed: every line comes back whole whatever its length and line
// end, in both forms, and a reader sent back to an offset it gave reads the
// same lines again.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bars.h"
#include "gzfile.h"

namespace {

using zqhost::LineReader;
using zqhost::TextWriter;

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

struct LinesCase { const char* name; std::string text; std::vector<std::string> lines; };

// A plain file holds the text as written; a compressed one starts with
// gzip's magic bytes.
TEST(LineReader, GivesEveryLineWholePlainAndCompressed) {
    const std::string longLine(300000, 'x');  // longer than the reader's buffer
    const LinesCase cases[] = {
        {"empty", "", {}},
        {"one line without an end", "a,b", {"a,b"}},
        {"newline ends", "a\nb\n", {"a", "b"}},
        {"carriage returns dropped before newlines only", "a\r\nb\rc\r\n", {"a", "b\rc"}},
        {"blank lines kept", "\n\na\n", {"", "", "a"}},
        {"a line longer than the buffer", "h\n" + longLine + "\nt", {"h", longLine, "t"}},
    };
    for (const LinesCase& c : cases) {
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

TEST(LineReader, RefusesACompressedFileCutShort) {
    std::string whole = write("whole.csv.gz", std::string(5000, 'x') + "\nlast\n");
    std::string cut = tempPath("cut.csv.gz");
    std::filesystem::copy_file(whole, cut, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(cut, std::filesystem::file_size(whole) - 4);
    LineReader in;
    std::string error;
    ASSERT_TRUE(in.open(cut, error));
    std::string_view line;
    while (in.next(line)) {
    }
    EXPECT_EQ(in.failed(), cut + ": the compressed data stops before its end: the file is cut short");
    std::remove(whole.c_str());
    std::remove(cut.c_str());
}

TEST(LineReader, SaysWhyAFileCannotBeRead) {
    LineReader in;
    std::string error;
    EXPECT_FALSE(in.open("/nonexistent/bars.csv", error));
    EXPECT_EQ(error, "/nonexistent/bars.csv: No such file or directory");
    EXPECT_FALSE(in.open(std::filesystem::temp_directory_path().string(), error));
    EXPECT_EQ(error, std::filesystem::temp_directory_path().string() + ": is a directory");
}

TEST(BarTimes, ReadTheThreeFormsAndOnlyRealTimes) {
    struct Case {
        const char* text;
        int64_t stamp;  // 0: refused
    } cases[] = {
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
        EXPECT_EQ(zqhost::parseStamp(c.text, stamp, seconds), c.stamp != 0) << c.text;
        EXPECT_EQ(c.stamp ? stamp : 0, c.stamp) << c.text;
    }
    int64_t stamp = 0, seconds = 0;
    ASSERT_TRUE(zqhost::parseStamp("2024-01-02 09:30:00", stamp, seconds));
    EXPECT_EQ(seconds, 1704187800);
    EXPECT_EQ(zqhost::displayTime(stamp), "2024-01-02 09:30:00");
    EXPECT_EQ(zqhost::hostTime(stamp), "20240102 09:30:00 000");
}

}  // namespace
