#include "barcatalog.h"

#include <algorithm>
#include <iterator>

#include "barfile.h"
#include "barmerge.h"

namespace zqhost {

namespace {

struct PeriodName {
    int32_t seconds;
    const char* shortName;
    const char* name;
};
const PeriodName kPeriods[] = {{kMinute, "1m", "kline_1m"},       {5 * kMinute, "5m", "kline_5m"},
                               {15 * kMinute, "15m", "kline_15m"}, {30 * kMinute, "30m", "kline_30m"},
                               {60 * kMinute, "60m", "kline_60m"}, {kDay, "1d", "kline_1d"}};

// Where a symbol's bars lie in one file.
struct Span {
    size_t file;
    int64_t first, last;
};

// What the pass learns of one file.
struct FileScan {
    std::vector<int64_t> lastSeconds;  // per symbol, -1 before its first bar
    int64_t smallestGap = INT64_MAX;
    bool allAtMidnight = true;
    int64_t bars = 0;
};

std::string periodWords(int32_t period) {
    return period == kDay ? "daily bars" : std::to_string(period / kMinute) + "-minute bars";
}

// The longest period that divides the smallest spacing of a symbol's bars:
// bars two minutes apart are 1-minute bars with a gap.
int32_t detectedPeriod(const std::string& path, const FileScan& scan, std::string& error) {
    if (scan.bars > 0 && scan.allAtMidnight) return kDay;
    if (scan.smallestGap == INT64_MAX) return kMinute;
    for (auto known = std::rbegin(kPeriods); known != std::rend(kPeriods); ++known) {
        if (scan.smallestGap % known->seconds == 0) return known->seconds;
    }
    error = path + ": bars " + std::to_string(scan.smallestGap) +
            " seconds apart are no bar period the library has (1, 5, 15, 30 or 60 minutes, or a day); "
            "name the period with --period";
    return 0;
}

bool scanFile(BarCatalog& catalog, size_t index, int32_t period, std::vector<std::vector<Span>>& spans,
              std::string& error) {
    const std::string& path = catalog.paths[index];
    BarFile file;
    if (!file.open(path, error)) return false;
    FileScan scan;
    Bar bar;
    int64_t previous = INT64_MIN, offset = file.where(), line = file.line();
    catalog.runs.push_back(BarCatalog::Run{index, offset, line, INT64_MAX});
    for (; file.skim(bar, catalog.symbols, error); offset = file.where(), line = file.line()) {
        if (bar.symbolId >= scan.lastSeconds.size()) scan.lastSeconds.resize(bar.symbolId + 1, -1);
        if (bar.symbolId >= spans.size()) spans.resize(bar.symbolId + 1);
        int64_t& last = scan.lastSeconds[bar.symbolId];
        std::vector<Span>& mine = spans[bar.symbolId];
        if (last >= 0 && bar.seconds <= last) {
            error = path + ":" + std::to_string(file.line()) + ": bar of " + catalog.symbols.name(bar.symbolId) +
                    " at " + displayTime(bar.stamp) + " is not after the one before";
            return false;
        }
        if (last >= 0) scan.smallestGap = std::min(scan.smallestGap, bar.seconds - last);
        last = bar.seconds;
        if (mine.empty() || mine.back().file != index) mine.push_back(Span{index, bar.stamp, bar.stamp});
        mine.back().last = bar.stamp;
        scan.allAtMidnight &= bar.timeOfDay() == 0;
        ++scan.bars;
        if (bar.stamp < previous) {
            catalog.runs.back().stop = offset;
            catalog.runs.push_back(BarCatalog::Run{index, offset, line, INT64_MAX});
        }
        previous = bar.stamp;
        if (bar.stamp >= catalog.start && bar.stamp <= catalog.end) {
            if (catalog.delivered++ == 0) catalog.firstDelivered = catalog.lastDelivered = bar.stamp;
            catalog.firstDelivered = std::min(catalog.firstDelivered, bar.stamp);
            catalog.lastDelivered = std::max(catalog.lastDelivered, bar.stamp);
        }
    }
    if (!error.empty()) return false;
    int32_t found = period ? period : detectedPeriod(path, scan, error);
    catalog.periods.push_back(found);
    return found != 0;
}

// A symbol whose bars in two files overlap in time may have a bar twice, or
// out of order: the merged stream finds the first such bar.
bool checkAcrossFiles(BarCatalog& catalog, const std::vector<std::vector<Span>>& spans, std::string& error) {
    bool overlap = false;
    for (const std::vector<Span>& mine : spans) {
        for (size_t i = 0; i < mine.size() && !overlap; ++i) {
            for (size_t j = i + 1; j < mine.size() && !overlap; ++j) {
                overlap = mine[i].first <= mine[j].last && mine[j].first <= mine[i].last;
            }
        }
    }
    if (!overlap) return true;
    BarMerge merge;
    Bar bar;
    if (!merge.open(catalog, error, true)) return false;
    while (merge.next(bar, error)) {
    }
    return error.empty();
}

// A symbol has one period, whichever file its bars are in.
bool checkPeriods(BarCatalog& catalog, const std::vector<std::vector<Span>>& spans, std::string& error) {
    catalog.symbolPeriod.assign(catalog.symbols.size(), kMinute);
    for (size_t id = 0; id < spans.size(); ++id) {
        for (const Span& span : spans[id]) {
            int32_t period = catalog.periods[span.file];
            int32_t& known = catalog.symbolPeriod[id];
            if (&span != &spans[id].front() && period != known) {
                error = catalog.paths[span.file] + ": " + catalog.symbols.name(static_cast<uint32_t>(id)) + " has " +
                        periodWords(period) + " here but " + periodWords(known) + " in " +
                        catalog.paths[spans[id].front().file];
                return false;
            }
            known = period;
        }
    }
    return true;
}

}  // namespace

const char* periodName(int32_t period) {
    for (const PeriodName& known : kPeriods) {
        if (known.seconds == period) return known.name;
    }
    return nullptr;
}

int32_t periodOf(const std::string& text) {
    for (const PeriodName& known : kPeriods) {
        if (text == known.shortName || text == known.name) return known.seconds;
    }
    return 0;
}

bool scanBarFiles(BarCatalog& catalog, int32_t period, std::string& error) {
    std::vector<std::vector<Span>> spans;
    for (size_t i = 0; i < catalog.paths.size(); ++i) {
        if (!scanFile(catalog, i, period, spans, error)) return false;
    }
    return checkPeriods(catalog, spans, error) && checkAcrossFiles(catalog, spans, error);
}

}  // namespace zqhost
