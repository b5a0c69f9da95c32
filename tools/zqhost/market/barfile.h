// One bar file (CSV, plain or gzip-compressed) read a line at a time: the
// header row names the columns symbol, time, open, high, low, close, volume
// and optionally amount, in any order, other columns ignored; fields may be
// quoted (RFC 4180); a UTF-8 byte-order mark is skipped. Each row becomes a
// bar or a message "FILE:LINE: what" refusing it: a value that is no
// number, not finite, too large for its record or negative; a price of 0;
// a symbol longer than the records hold. A row can also be skimmed: only
// its symbol and time are read, which is what a pass over the whole file
// needs before the run. One object per reader, one thread.
#pragma once

#include <cstdint>
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
    // The next bar, its symbol one of `symbols`. False at the end of the
    // file with `error` empty, or with the reason a row is refused (a
    // symbol not in `symbols` among them); after a refused row the file
    // reads on from the next one.
    bool next(Bar& bar, const SymbolTable& symbols, std::string& error);
    // The next row's symbol (interned in `symbols`, only symbolId is set),
    // time and seconds; the rest of the bar is left as it was and the
    // row's values are not read. False as next() is.
    bool skim(Bar& bar, SymbolTable& symbols, std::string& error);
    // Whether every line has been read (or reading failed).
    bool finished() const { return finished_; }

    const std::string& path() const { return path_; }
    int64_t line() const { return lines_.lineNumber(); }  // of the bar last read
    int64_t where() const { return lines_.offset(); }     // of the row after it

private:
    bool readHeader(std::string& error);
    // The next line that is not blank; false at the end with `error` set
    // when reading failed.
    bool nextLine(std::string_view& text, std::string& error);
    // Cuts a row into its first `cells` cells (all of them by default).
    bool split(std::string_view line, std::string& what, size_t cells = SIZE_MAX);
    bool readKey(Bar& bar, std::string_view& symbol, std::string& what);
    bool readValues(Bar& bar, std::string& what);
    std::string refused(const std::string& what) const;
    std::string_view cell(int column) const;

    std::string path_;
    LineReader lines_;
    int columns_[8] = {-1, -1, -1, -1, -1, -1, -1, -1};  // symbol, time, open, high, low, close, volume, amount
    size_t keyCells_ = 0;                                // the cells up to the symbol and the time
    std::string lastSymbol_;                             // skim's last symbol and its index
    uint32_t lastSymbolId_ = 0;
    bool finished_ = false;
    std::vector<std::string_view> cells_;
    std::string unquoted_;  // the texts of quoted cells with doubled quotes, which cells_ may point into
};

}  // namespace zqhost
