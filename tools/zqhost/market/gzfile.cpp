#include "gzfile.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zqhost {

namespace {

constexpr size_t kChunk = 1 << 16;

gzFile gz(void* file) {
    return static_cast<gzFile>(file);
}

std::string systemError() {
    return errno ? std::strerror(errno) : "cannot be read";
}

}  // namespace

bool isGzipName(const std::string& path) {
    return path.size() > 3 && path.compare(path.size() - 3, 3, ".gz") == 0;
}

LineReader::~LineReader() {
    if (file_) gzclose(gz(file_));
}

bool LineReader::open(const std::string& path, std::string& error) {
    path_ = path;
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return error = path + ": is a directory", false;
    errno = 0;
    file_ = gzopen(path.c_str(), "rb");
    if (!file_) return error = path + ": " + systemError(), false;
    gzbuffer(gz(file_), kChunk);
    buffer_.resize(kChunk);
    return true;
}

// Moves what is left to the front and reads more behind it; a line longer
// than the buffer grows it.
bool LineReader::refill() {
    if (atEnd_) return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
    int got = gzread(gz(file_), buffer_.data() + end_, static_cast<unsigned>(buffer_.size() - end_));
    if (got < 0) {
        int code = 0;
        const char* what = gzerror(gz(file_), &code);
        error_ = path_ + ": " + (code == Z_ERRNO ? systemError() : std::string("not a readable gzip file (") + what + ")");
        atEnd_ = true;
        return false;
    }
    if (got == 0) {
        atEnd_ = true;
        int code = Z_OK;
        gzerror(gz(file_), &code);
        if (code == Z_BUF_ERROR) error_ = path_ + ": the compressed data stops before its end: the file is cut short";
    }
    end_ += static_cast<size_t>(got);
    read_ += got;
    return got > 0;
}

bool LineReader::next(std::string_view& line) {
    if (!file_) return false;
    size_t searched = begin_;
    for (;;) {
        const void* found = std::memchr(buffer_.data() + searched, '\n', end_ - searched);
        if (found) {
            size_t stop = static_cast<size_t>(static_cast<const char*>(found) - buffer_.data());
            size_t length = stop - begin_;
            if (length > 0 && buffer_[stop - 1] == '\r') --length;
            line = std::string_view(buffer_.data() + begin_, length);
            begin_ = stop + 1;
            ++lineNumber_;
            return true;
        }
        size_t scanned = end_ - begin_;
        if (!refill()) break;
        searched = begin_ + scanned;
    }
    if (!error_.empty() || begin_ == end_) return false;
    // The last line has no line end.
    size_t length = end_ - begin_;
    if (buffer_[end_ - 1] == '\r') --length;
    line = std::string_view(buffer_.data() + begin_, length);
    begin_ = end_;
    ++lineNumber_;
    return true;
}

bool LineReader::seek(int64_t offset, int64_t lineNumber) {
    if (!file_ || gzseek(gz(file_), offset, SEEK_SET) != offset) {
        error_ = path_ + ": cannot be read again from byte " + std::to_string(offset);
        return false;
    }
    begin_ = end_ = 0;
    atEnd_ = false;
    read_ = offset;
    lineNumber_ = lineNumber;
    return true;
}

TextWriter::~TextWriter() {
    close();
}

bool TextWriter::open(const std::string& path, std::string& error) {
    errno = 0;
    if (isGzipName(path)) {
        gz_ = gzopen(path.c_str(), "wb");
    } else {
        plain_ = std::fopen(path.c_str(), "wb");
    }
    if (!isOpen()) return error = path + ": " + (errno ? std::strerror(errno) : "cannot be written"), false;
    return true;
}

void TextWriter::write(std::string_view text) {
    if (text.empty()) return;
    if (plain_) {
        failed_ |= std::fwrite(text.data(), 1, text.size(), plain_) != text.size();
    } else if (gz_) {
        failed_ |= gzwrite(gz(gz_), text.data(), static_cast<unsigned>(text.size())) != static_cast<int>(text.size());
    }
}

bool TextWriter::close() {
    if (plain_) failed_ |= std::fclose(plain_) != 0;
    if (gz_) failed_ |= gzclose(gz(gz_)) != Z_OK;
    plain_ = nullptr;
    gz_ = nullptr;
    return !failed_;
}

}  // namespace zqhost
