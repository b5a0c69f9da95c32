// The line on standard error that shows how far a long replay has got:
// bars delivered of all, the simulated date, bars per second. Drawn only
// when asked for (standard error is a terminal) and the run has taken
// longer than a second, redrawn in place, wiped at the end; the log stream
// on standard output never holds it. One thread: the replay's.
#pragma once

#include <chrono>
#include <cstdint>

namespace zqhost {

class ProgressLine {
public:
    explicit ProgressLine(bool shown);
    // Redraws the line when it is due; cheap enough to call every few thousand bars.
    void update(int64_t delivered, int64_t total, int64_t now);
    void clear();

private:
    bool shown_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point started_;
    double lastDrawn_ = 0;  // seconds after the start
};

}  // namespace zqhost
