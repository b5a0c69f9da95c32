// The merged bars of BarMerge, read on a thread of its own a few thousand
// bars ahead of the replay, each with its bar push text: reading the files
// and writing the pushes is nearly half a replay's work, which a second
// core then does alongside. The bars, their order and the errors are
// BarMerge's; memory holds at most kBatches batches of kBatchBars bars.
//
// open, next and peek are called by one thread, the replay's; the reading
// thread touches only the merge and what lock_ guards.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "barmerge.h"

namespace zqhost {

class BarStream {
public:
    static constexpr size_t kBatchBars = 1024;
    static constexpr size_t kBatches = 4;

    BarStream() = default;
    ~BarStream();  // stops the reading thread wherever it is
    BarStream(const BarStream&) = delete;
    BarStream& operator=(const BarStream&) = delete;

    // Opens the files (see BarMerge::open) and starts reading. The catalog
    // must outlive the stream, and its symbol table must not change.
    bool open(BarCatalog& catalog, std::string& error);
    // The next bar; false at the end with `error` empty, or with the reason.
    bool next(Bar& bar, std::string& error);
    // The bar next() gives next; null when next() gives none.
    const Bar* peek();
    // The bar push of the bar next() gave last (appendBarPush), ended by a
    // zero byte; valid until the next call.
    const char* pushText() const { return current_.texts.data() + current_.starts[at_ - 1]; }

private:
    struct Batch {
        std::vector<Bar> bars;
        std::string texts;           // the bars' pushes, each ended by a zero byte
        std::vector<size_t> starts;  // where each bar's push starts in texts
        std::string error;           // why the stream ends after these bars
        bool last = false;
    };
    void read();
    bool fill(Batch& batch);
    bool ready();

    BarMerge merge_;  // the reading thread's once it runs
    std::thread reader_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<Batch> full_;    // guarded by lock_: read, not yet taken
    std::vector<Batch> spare_;  // guarded by lock_: taken, for reuse
    bool stopping_ = false;     // guarded by lock_
    Batch current_;             // the replay's: the batch being given
    size_t at_ = 0;
};

}  // namespace zqhost
