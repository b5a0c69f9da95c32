// The result side of a long replay, at 1 000 000 and at 10 000 000 bars (three
// symbols, one bar each per minute): what the replay keeps as the bars go by
// for its figures and charts (the equity curve's figures, the reduced equity
// and price series, as Replay does), then the RunResult, the summary and the
// report built from it. Each size runs in a process of its own so that its
// peak resident memory is its own; the goal is that the result side stays
// flat in the number of bars. Bars are made up as they go, not read, so the
// input side is not in these figures.
//   build/bin/zq_resultside_bench
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>

#include "bars.h"
#include "equitycurve.h"
#include "hostos.h"
#include "report.h"
#include "seriesreducer.h"
#include "summary.h"

namespace {

using namespace zqhost;

constexpr const char* kSymbols[] = {"000001.SZ", "510050.SH", "600000.SH"};

struct Measured {
    double seconds = 0;
    double peakMiB = 0;
    size_t summaryBytes = 0, reportBytes = 0;
};

int64_t stampOf(int64_t minute) {
    int64_t day = minute / 240, inDay = minute % 240;
    int64_t date = 20000101 + (day / 28) % 12 * 100 + (day / 336) * 10000 + day % 28;
    int64_t hour = 9 + (30 + inDay) / 60, min = (30 + inDay) % 60;
    return date * 1000000 + hour * 10000 + min * 100;
}

Measured measure(int64_t bars) {
    auto start = std::chrono::steady_clock::now();
    EquityCurve curve(1000000);
    SeriesReducer equity;
    std::map<std::string, SeriesReducer> closes;
    for (const char* symbol : kSymbols) closes.emplace(symbol, SeriesReducer(512));  // as the replay keeps them
    const int64_t times = bars / 3;
    double cash = 1000000;
    for (int64_t minute = 0; minute < times; ++minute) {
        int64_t stamp = stampOf(minute);
        double price = 10 + 0.5 * ((minute * 7919) % 1000) / 1000.0;
        for (const char* symbol : kSymbols) closes[symbol].add(stamp, price);
        bool holding = (minute / 90) % 2 == 1;
        double value = cash + (holding ? 1000 * (price - 10) : 0);
        curve.add(value, 946704600 + minute * 60, stamp, holding);
        equity.add(stamp, value);
    }
    RunResult result;
    result.startingCash = 1000000;
    result.finalEquity = result.finalCash = cash;
    result.bars = bars;
    for (const SeriesPoint& p : equity.points()) result.equity.push_back(EquityPoint{displayTime(p.tag), p.value});
    for (const auto& [symbol, series] : closes) {
        SymbolPrices prices{symbol, {}};
        for (const SeriesPoint& p : series.points()) prices.closes.push_back(PricePoint{displayTime(p.tag), p.value});
        result.prices.push_back(std::move(prices));
    }
    result.curve = nameTimes(curve.stats(), displayTime);
    Measured m;
    m.summaryBytes = summaryJson(result).size();
    m.reportBytes = reportHtml(result).size();
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.peakMiB = zqhost::os::peakResidentBytes() / 1048576.0;
    return m;
}

// Runs measure(bars) in a child process and reads its figures back.
bool measureApart(int64_t bars, Measured& m) {
    int channel[2];
    if (pipe(channel) != 0) return false;
    pid_t pid = fork();
    if (pid == 0) {
        Measured own = measure(bars);
        ssize_t written = write(channel[1], &own, sizeof own);
        _exit(written == static_cast<ssize_t>(sizeof own) ? 0 : 1);
    }
    close(channel[1]);
    ssize_t got = read(channel[0], &m, sizeof m);
    close(channel[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return got == static_cast<ssize_t>(sizeof m) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main() {
    Measured small, large;
    if (!measureApart(1000000, small) || !measureApart(10000000, large)) {
        std::fprintf(stderr, "zq_resultside_bench: a measuring process failed\n");
        return 1;
    }
    std::printf("%-12s %10s %12s %14s %13s\n", "bars", "seconds", "peak MiB", "summary bytes", "report bytes");
    for (auto [bars, m] : {std::pair<const char*, Measured>{"1 000 000", small}, {"10 000 000", large}})
        std::printf("%-12s %10.2f %12.1f %14zu %13zu\n", bars, m.seconds, m.peakMiB, m.summaryBytes, m.reportBytes);
    double ratio = large.peakMiB / small.peakMiB;
    std::printf("peak memory at 10 000 000 bars is %.2fx that at 1 000 000 (goal <= 1.2x, under 150 MB): %s\n", ratio,
                ratio <= 1.2 && large.peakMiB * 1048576 < 150e6 ? "met" : "NOT met");
    return 0;
}
