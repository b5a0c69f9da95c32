// One bar file (CSV, plain or gzip-compressed) read a line at a time: the
// header row names the columns symbol, time, open, high, low, close, volume
// and optionally amount, in any order, other columns ignored; fields may be
// quoted (RFC 4180); a UTF-8 byte-order mark is skipped. Each row becomes a
// bar or a message "FILE:LINE: what" refusing it: a value that is no
// number, not finite, too large for its record or negative; a price of 0;
// a symbol longer than the records hold. One object per reader, one thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "bars.h"
#include "gzfile.h"
#include "symboltable.h"

namespace zqhost {

class BarFile {
public:
    // Opens the file and reads its header row.
    bool open(const std::string& path, std::string& error);
    // Goes to a row seen before, by where() and line() of that time.
    bool seek(int64_t offset, int64_t line, std::string& error);
    // The next bar, its symbol interned in `symbols`. False at the end of
    // the file with `error` empty, or with the reason a row is refused.
    bool next(Bar& bar, SymbolTable& symbols, std::string& error);

    const std::string& path() const { return path_; }
    int64_t line() const { return lines_.lineNumber(); }  // of the bar last read
    int64_t where() const { return lines_.offset(); }     // of the row after it

private:
    bool readHeader(std::string& error);
    bool split(std::string_view line, std::string& what);
    bool readRow(Bar& bar, SymbolTable& symbols, std::string& what);
    std::string_view cell(int column) const;

    std::string path_;
    LineReader lines_;
    int columns_[8] = {-1, -1, -1, -1, -1, -1, -1, -1};  // symbol, time, open, high, low, close, volume, amount
    std::vector<std::string_view> cells_;
    std::string unquoted_;  // the texts of quoted cells with doubled quotes, which cells_ may point into
};

}  // namespace zqhost
