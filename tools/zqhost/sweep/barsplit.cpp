#include "barsplit.h"

#include <cstdio>

#include "atomicfile.h"
#include "barcatalog.h"
#include "bars.h"
#include "barstream.h"

namespace zqhost {

namespace {

std::string csvLine(const Bar& bar) {
    char numbers[256];
    std::snprintf(numbers, sizeof numbers, ",%.17g,%.17g,%.17g,%.17g,%.17g,%.17g\n", bar.open, bar.high, bar.low,
                  bar.close, bar.volume, bar.amount);
    return bar.symbol + "," + displayTime(bar.stamp) + numbers;
}

}  // namespace

bool splitBars(const std::vector<std::string>& barFiles, int32_t date, const std::string& before,
               const std::string& from, std::string& error) {
    BarCatalog catalog;
    catalog.paths = barFiles;
    BarStream stream;
    if (!scanBarFiles(catalog, 0, error) || !stream.open(catalog, error)) return false;
    const std::string header = "symbol,time,open,high,low,close,volume,amount\n";
    std::string early = header, late = header;
    std::size_t earlyBars = 0, bars = 0;
    Bar bar;
    while (stream.next(bar, error)) {
        bool isEarly = bar.date() < date;
        (isEarly ? early : late) += csvLine(bar);
        earlyBars += isEarly;
        ++bars;
    }
    if (!error.empty()) return false;
    if (earlyBars == 0 || earlyBars == bars)
        return error = "--split: every bar is " + std::string(earlyBars ? "before" : "on or after") + " the date", false;
    return writeFileAtomically(before, early, error) && writeFileAtomically(from, late, error);
}

}  // namespace zqhost
