#include "barmerge.h"

#include <algorithm>

namespace zqhost {

bool BarMerge::open(BarCatalog& catalog, std::string& error, bool skimming) {
    catalog_ = &catalog;
    skimming_ = skimming;
    readers_.clear();
    heap_.clear();
    lastStamp_.assign(catalog.symbols.size(), INT64_MIN);
    for (const BarCatalog::Run& run : catalog.runs) {
        auto reader = std::make_unique<Reader>();
        reader->stop = run.stop;
        reader->fileIndex = run.file;
        if (!reader->file.open(catalog.paths[run.file], error) || !reader->file.seek(run.offset, run.line, error)) {
            return false;
        }
        readers_.push_back(std::move(reader));
        if (!advance(*readers_.back(), error)) {
            if (!error.empty()) return false;
            continue;
        }
        heap_.push_back(readers_.size() - 1);
    }
    std::make_heap(heap_.begin(), heap_.end(), [this](size_t a, size_t b) { return later(a, b); });
    return true;
}

// Orders the heap so the earliest bar is on top; equal times go by file,
// then by line.
bool BarMerge::later(size_t a, size_t b) const {
    const Reader& x = *readers_[a];
    const Reader& y = *readers_[b];
    if (x.bar.stamp != y.bar.stamp) return x.bar.stamp > y.bar.stamp;
    if (x.fileIndex != y.fileIndex) return x.fileIndex > y.fileIndex;
    return x.line > y.line;
}

bool BarMerge::advance(Reader& reader, std::string& error) {
    error.clear();
    if (reader.file.where() >= reader.stop) return false;
    bool read = skimming_ ? reader.file.skim(reader.bar, catalog_->symbols, error)
                          : reader.file.next(reader.bar, catalog_->symbols, error);
    if (!read) return false;
    reader.line = reader.file.line();
    reader.bar.period = catalog_->periods[reader.fileIndex];
    if (reader.bar.symbolId >= lastStamp_.size()) lastStamp_.resize(reader.bar.symbolId + 1, INT64_MIN);
    return true;
}

bool BarMerge::next(Bar& bar, std::string& error) {
    error = failed_;
    if (heap_.empty() || !failed_.empty()) return false;
    auto order = [this](size_t a, size_t b) { return later(a, b); };
    std::pop_heap(heap_.begin(), heap_.end(), order);
    Reader& reader = *readers_[heap_.back()];
    bar = reader.bar;
    int64_t& last = lastStamp_[bar.symbolId];
    if (bar.stamp <= last) {
        error = reader.file.path() + ":" + std::to_string(reader.line) + ": bar of " +
                catalog_->symbols.name(bar.symbolId) + " at " + displayTime(bar.stamp) + " is not after the one before";
        return false;
    }
    last = bar.stamp;
    if (advance(reader, error)) {
        std::push_heap(heap_.begin(), heap_.end(), order);
    } else {
        heap_.pop_back();
        failed_ = error;  // told at the next call: this bar is good
        error.clear();
    }
    return true;
}

}  // namespace zqhost
