// Text files read a line at a time and written whole, plain or gzip-compressed
// (a name ending in ".gz"): bar files and traces both go through here. A
// reader keeps one buffer of its own, so reading a file of any length holds a
// bounded amount of memory. One object per file, used by one thread.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zqhost {

bool isGzipName(const std::string& path);

class LineReader {
public:
    LineReader() = default;
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens `path` (a gzip stream is recognised by its content, so a
    // compressed file read under another name reads just as well). On
    // failure returns false with "PATH: why" in `error`.
    bool open(const std::string& path, std::string& error);
    // The next line without its end ("\n" or "\r\n"); valid until the next
    // call. False at the end of the file or on a read error (see failed()).
    bool next(std::string_view& line);
    // What went wrong, empty when the file simply ended.
    const std::string& failed() const { return error_; }
    int64_t lineNumber() const { return lineNumber_; }
    // Where the next line starts, counted in uncompressed bytes.
    int64_t offset() const { return read_ - static_cast<int64_t>(end_ - begin_); }
    // Goes back or on to `offset`, where line `lineNumber` starts (both
    // from an earlier offset() and lineNumber()). A compressed file is
    // decompressed again up to there.
    bool seek(int64_t offset, int64_t lineNumber);

private:
    bool refill();

    void* file_ = nullptr;  // gzFile
    std::string path_;
    std::vector<char> buffer_;
    size_t begin_ = 0, end_ = 0;  // the unread bytes in buffer_
    bool atEnd_ = false;
    int64_t lineNumber_ = 0;
    int64_t read_ = 0;  // uncompressed bytes taken from the file
    std::string error_;
};

class TextWriter {
public:
    TextWriter() = default;
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Creates or truncates `path`, compressed when its name ends in ".gz".
    bool open(const std::string& path, std::string& error);
    void write(std::string_view text);
    // Flushes and closes; false when anything could not be written.
    bool close();
    bool isOpen() const { return plain_ || gz_; }

private:
    std::FILE* plain_ = nullptr;
    void* gz_ = nullptr;  // gzFile
    bool failed_ = false;
};

}  // namespace zqhost
