// The bars of all files merged in time order: one reader per time-ordered
// stretch of a file (see BarCatalog), and a heap over the readers' next
// bars, so memory holds one bar per reader, not the history. Bars of the
// same time keep the order of the files and of their rows. Each symbol's
// bars must be later than the one before, across all files. One thread
// (BarStream runs one on a thread of its own).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "barcatalog.h"
#include "barfile.h"

namespace zqhost {

class BarMerge {
public:
    // Opens a reader per run of the catalog, which must have seen every
    // symbol. `skimming` reads only each bar's symbol and time.
    bool open(BarCatalog& catalog, std::string& error, bool skimming = false);
    // The next bar; false at the end with `error` empty, or with the reason
    // (a row that cannot be read is told once the bars before it are given).
    bool next(Bar& bar, std::string& error);

private:
    struct Reader {
        BarFile file;
        Bar bar;  // its next bar
        int64_t line = 0;
        int64_t stop = 0;
        size_t fileIndex = 0;
    };
    bool advance(Reader& reader, std::string& error);
    bool later(size_t a, size_t b) const;

    BarCatalog* catalog_ = nullptr;
    std::vector<std::unique_ptr<Reader>> readers_;
    std::vector<size_t> heap_;        // readers with a next bar
    std::vector<int64_t> lastStamp_;  // per symbol
    bool skimming_ = false;
    std::string failed_;  // why the stream cannot go on, once the bars before are given
};

}  // namespace zqhost
