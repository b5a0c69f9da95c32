#include "barfile.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zqhost {

namespace {

enum Column { kSymbol, kTime, kOpen, kHigh, kLow, kClose, kVolume, kAmount, kColumns };
const char* const kColumnNames[kColumns] = {"symbol", "time", "open", "high", "low", "close", "volume", "amount"};
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The bar push's volume is a 64-bit whole number.
constexpr double kMostVolume = 9223372036854774784.0;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool blank(std::string_view line) {
    return trimmed(line).empty();
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// A value of a bar: a finite decimal number the records can hold, never
// negative; prices above 0.
bool readValue(std::string_view text, int column, double& value, std::string& what) {
    std::string_view digits = !text.empty() && text[0] == '+' ? text.substr(1) : text;
    auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    const char* problem = nullptr;
    if (digits.empty() || (failure != std::errc() && failure != std::errc::result_out_of_range) ||
        end != digits.data() + digits.size()) {
        problem = "";
    } else if (failure == std::errc::result_out_of_range) {
        problem = ": out of the range of numbers a bar record holds";
    } else if (!std::isfinite(value)) {
        problem = ": not a finite number";
    } else if (value < 0) {
        problem = ": negative";
    } else if (column != kVolume && column != kAmount && value == 0) {
        problem = ": a price must be above 0";
    } else if (column == kVolume && value > kMostVolume) {
        problem = ": more than a bar record holds";
    }
    if (!problem) return true;
    what = std::string("bad ") + kColumnNames[column] + " " + quoted(text) + problem;
    return false;
}

}  // namespace

bool BarFile::open(const std::string& path, std::string& error) {
    path_ = path;
    return lines_.open(path, error) && readHeader(error);
}

bool BarFile::seek(int64_t offset, int64_t line, std::string& error) {
    finished_ = false;
    if (lines_.seek(offset, line)) return true;
    error = lines_.failed();
    return false;
}

bool BarFile::readHeader(std::string& error) {
    std::string_view text;
    std::string what;
    bool first = true;
    while (lines_.next(text)) {
        if (first && text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
        first = false;
        if (blank(text)) continue;
        if (!split(text, what)) return error = path_ + ":" + std::to_string(line()) + ": " + what, false;
        for (int column = 0; column < kColumns; ++column) {
            for (size_t i = 0; i < cells_.size(); ++i) {
                if (cells_[i] == kColumnNames[column]) columns_[column] = static_cast<int>(i);
            }
            if (columns_[column] < 0 && column != kAmount) {
                error = path_ + ":" + std::to_string(line()) + ": no column named " + kColumnNames[column];
                return false;
            }
        }
        keyCells_ = static_cast<size_t>(std::max(columns_[kSymbol], columns_[kTime])) + 1;
        return true;
    }
    error = lines_.failed().empty() ? path_ + ": empty file" : lines_.failed();
    return false;
}

// Cuts a row into cells; a quoted cell may hold commas and doubled quotes.
bool BarFile::split(std::string_view line, std::string& what, size_t cells) {
    cells_.clear();
    unquoted_.clear();
    unquoted_.reserve(line.size());  // never grows past this, so the views into it stay valid
    size_t at = 0;
    for (;;) {
        while (at < line.size() && isSpace(line[at])) ++at;
        if (at < line.size() && line[at] == '"') {
            const size_t start = unquoted_.size();
            for (++at;; ++at) {
                if (at >= line.size()) return what = "a quoted field is not closed on its line", false;
                if (line[at] == '"' && (at + 1 >= line.size() || line[at + 1] != '"')) break;
                if (line[at] == '"') ++at;
                unquoted_ += line[at];
            }
            cells_.emplace_back(unquoted_.data() + start, unquoted_.size() - start);
            ++at;
            while (at < line.size() && isSpace(line[at])) ++at;
            if (at < line.size() && line[at] != ',') return what = "text after a quoted field", false;
        } else {
            size_t comma = line.find(',', at);
            size_t stop = comma == std::string_view::npos ? line.size() : comma;
            cells_.push_back(trimmed(line.substr(at, stop - at)));
            at = stop;
        }
        if (at >= line.size() || cells_.size() == cells) return true;
        ++at;  // the comma
    }
}

std::string_view BarFile::cell(int column) const {
    size_t i = static_cast<size_t>(columns_[column]);
    return i < cells_.size() ? cells_[i] : std::string_view();
}

// The symbol and the time, which a skimming pass reads too.
bool BarFile::readKey(Bar& bar, std::string_view& symbol, std::string& what) {
    symbol = cell(kSymbol);
    if (symbol.empty()) return what = "empty symbol", false;
    if (symbol.size() > kMaxSymbolBytes) {
        what = "symbol " + quoted(symbol) + " is longer than the " + std::to_string(kMaxSymbolBytes) +
               " bytes a bar or order record holds";
        return false;
    }
    if (!parseStamp(cell(kTime), bar.stamp, bar.seconds)) return what = "bad time " + quoted(cell(kTime)), false;
    return true;
}

bool BarFile::readValues(Bar& bar, std::string& what) {
    double* const values[] = {&bar.open, &bar.high, &bar.low, &bar.close, &bar.volume};
    for (int column = kOpen; column <= kVolume; ++column) {
        if (!readValue(cell(column), column, *values[column - kOpen], what)) return false;
    }
    bar.amount = 0;
    if (columns_[kAmount] >= 0 && !cell(kAmount).empty() && !readValue(cell(kAmount), kAmount, bar.amount, what)) {
        return false;
    }
    if (bar.high < bar.low) return what = "high below low", false;
    return true;
}

bool BarFile::nextLine(std::string_view& text, std::string& error) {
    while (lines_.next(text)) {
        if (!blank(text)) return true;
    }
    finished_ = true;
    error = lines_.failed();
    return false;
}

std::string BarFile::refused(const std::string& what) const {
    return path_ + ":" + std::to_string(line()) + ": " + what;
}

bool BarFile::next(Bar& bar, const SymbolTable& symbols, std::string& error) {
    std::string_view text, symbol;
    std::string what;
    if (!nextLine(text, error)) return false;
    if (!split(text, what) || !readKey(bar, symbol, what) || !readValues(bar, what)) {
        return error = refused(what), false;
    }
    int64_t id = symbols.find(symbol);
    if (id < 0) {
        error = refused("symbol " + quoted(symbol) +
                        " was not in the file when it was first read; was the file "
                        "changed during the run?");
        return false;
    }
    bar.symbolId = static_cast<uint32_t>(id);
    bar.symbol.assign(symbol.data(), symbol.size());
    return true;
}

bool BarFile::skim(Bar& bar, SymbolTable& symbols, std::string& error) {
    std::string_view text, symbol;
    std::string what;
    if (!nextLine(text, error)) return false;
    if (!split(text, what, keyCells_) || !readKey(bar, symbol, what)) return error = refused(what), false;
    // Rows mostly follow a row of the same symbol: no need to look it up.
    if (symbol != lastSymbol_) {
        lastSymbol_.assign(symbol.data(), symbol.size());
        lastSymbolId_ = symbols.intern(symbol);
    }
    bar.symbolId = lastSymbolId_;
    return true;
}

}  // namespace zqhost
