// The library's local time text (timers, the current time) next to asking Qt
// for local time on every call, which reads the zone file each time when TZ
// is unset.
#include <benchmark/benchmark.h>

#include <QDateTime>

#include "host/wallclock.h"

namespace {

void BM_WallClockText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(wallClockText());
}
BENCHMARK(BM_WallClockText);

void BM_QtLocalTimeText(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd hh:mm:ss zzz")).toStdString());
    }
}
BENCHMARK(BM_QtLocalTimeText);

}  // namespace
