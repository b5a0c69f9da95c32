// A series of any length kept in a bounded number of points for charts: the
// series is cut into at most `buckets` runs of equal length, and each run
// keeps its first, lowest, highest and last point, so every high and low
// (and the drawdowns between them) stays visible. When the runs fill up,
// neighbours merge and each run doubles in length. Until then every point
// is kept as it came. One reducer per series, fed on one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zqhost {

struct SeriesPoint {
    int64_t tag = 0;  // the caller's name for the point, such as a bar's stamp
    double value = 0;
};

class SeriesReducer {
public:
    explicit SeriesReducer(std::size_t buckets = kDefaultBuckets);

    void add(int64_t tag, double value);
    bool empty() const { return runs_.empty(); }
    // The kept points in the order they came.
    std::vector<SeriesPoint> points() const;

    static constexpr std::size_t kDefaultBuckets = 2048;

private:
    struct Run {
        SeriesPoint first, low, high, last;
        int64_t firstIndex = 0, lowIndex = 0, highIndex = 0, lastIndex = 0;
        int64_t length = 0;
    };
    void halve();

    std::size_t buckets_;
    int64_t runLength_ = 1;
    int64_t count_ = 0;
    std::vector<Run> runs_;
};

}  // namespace zqhost
