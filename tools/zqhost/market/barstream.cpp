#include "barstream.h"

#include "barpushtext.h"
#include "hostos.h"

namespace zqhost {

BarStream::~BarStream() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (reader_.joinable()) reader_.join();
}

bool BarStream::open(BarCatalog& catalog, std::string& error) {
    if (!merge_.open(catalog, error)) return false;
    reader_ = std::thread([this] { read(); });
    return true;
}

// Fills `batch`; false when it is the last.
bool BarStream::fill(Batch& batch) {
    batch.bars.clear();
    batch.texts.clear();
    batch.starts.clear();
    batch.error.clear();
    batch.last = false;
    while (batch.bars.size() < kBatchBars) {
        Bar& bar = batch.bars.emplace_back();
        if (!merge_.next(bar, batch.error)) {
            batch.bars.pop_back();
            batch.last = true;
            return false;
        }
        batch.starts.push_back(batch.texts.size());
        appendBarPush(bar, batch.texts);
        batch.texts += '\0';
    }
    return true;
}

void BarStream::read() {
    os::keepInterruptionsAway();
    for (bool more = true; more;) {
        Batch batch;
        {
            std::unique_lock<std::mutex> guard(lock_);
            changed_.wait(guard, [this] { return stopping_ || full_.size() < kBatches; });
            if (stopping_) return;
            if (!spare_.empty()) {
                batch = std::move(spare_.back());
                spare_.pop_back();
            }
        }
        more = fill(batch);
        {
            std::lock_guard<std::mutex> guard(lock_);
            full_.push_back(std::move(batch));
        }
        changed_.notify_all();
    }
}

// Whether a bar is at hand, taking the next batch when this one is used up.
bool BarStream::ready() {
    while (at_ == current_.bars.size()) {
        if (current_.last || !reader_.joinable()) return false;
        {
            std::unique_lock<std::mutex> guard(lock_);
            spare_.push_back(std::move(current_));
            changed_.wait(guard, [this] { return !full_.empty(); });
            current_ = std::move(full_.front());
            full_.pop_front();
        }
        changed_.notify_all();
        at_ = 0;
    }
    return true;
}

bool BarStream::next(Bar& bar, std::string& error) {
    if (!ready()) {
        error = current_.error;
        return false;
    }
    bar = current_.bars[at_++];
    error.clear();
    return true;
}

const Bar* BarStream::peek() {
    return ready() ? &current_.bars[at_] : nullptr;
}

}  // namespace zqhost
