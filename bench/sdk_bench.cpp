// Costs a strategy pays on its hot path: writing log lines (kept and dropped)
// and building texts.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "fakehost.h"
#include "norq/zqlog.h"
#include "norq/zqstring.h"
#include "zq/izqscriptadapter.h"

namespace {

// A host that only counts, so the numbers are the library's own cost.
class CountingHost : public fake::FakeHost {
public:
    void WriteLog(int32_t, int32_t, const char*, const char*, const char*, int32_t, const char*, bool) override {
        ++lines;
    }
    int64_t lines = 0;
};

void BM_LogLineToHost(benchmark::State& state) {
    CountingHost host;
    getAdapter()->SetHostServices(&host);
    Norq::ZqLog::setLogLevel(Norq::LOG_LEVEL_DEBUG);
    Norq::ZqLog::setConsoleLogLevel(Norq::LOG_LEVEL_ERROR);
    for (auto _ : state) {
        Norq::ZqLog("bench", __LINE__, "BM_LogLineToHost").info() << "price " << 10.5 << " volume " << 300;
    }
    getAdapter()->SetHostServices(nullptr);
    state.counters["lines"] = static_cast<double>(host.lines);
}
BENCHMARK(BM_LogLineToHost);

void BM_LogLineDropped(benchmark::State& state) {
    CountingHost host;
    getAdapter()->SetHostServices(&host);
    Norq::ZqLog::setLogLevel(Norq::LOG_LEVEL_ERROR);
    for (auto _ : state) {
        Norq::ZqLog("bench", __LINE__, "BM_LogLineDropped").debug() << "price " << 10.5 << " volume " << 300;
    }
    Norq::ZqLog::setLogLevel(Norq::LOG_LEVEL_DEBUG);
    getAdapter()->SetHostServices(nullptr);
}
BENCHMARK(BM_LogLineDropped);

// The floor of a log line: the same text built in a stream, nothing more.
void BM_LogLineFloor(benchmark::State& state) {
    for (auto _ : state) {
        std::ostringstream text;
        text << "price " << 10.5 << " volume " << 300;
        std::string line = text.str();
        benchmark::DoNotOptimize(line.data());
    }
}
BENCHMARK(BM_LogLineFloor);

void BM_ZqStringJoin(benchmark::State& state) {
    Norq::ZqString code("600000");
    Norq::ZqString suffix(".SH");
    for (auto _ : state) {
        Norq::ZqString symbol = code + suffix;
        benchmark::DoNotOptimize(symbol.str());
    }
}
BENCHMARK(BM_ZqStringJoin);

}  // namespace
