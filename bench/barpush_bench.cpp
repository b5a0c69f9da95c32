// The bar push converter's plain reader next to Qt's reading of the same
// text, for the bar texts hosts write: the sample bar, prices with 17
// significant digits (as the local host writes them), and the shortest texts
// that read back to the same doubles, exponents included. The goal is at
// most 0.3 times Qt's time for each.
#include <benchmark/benchmark.h>

#include "convert/barpushparser.h"
#include "convert/zqstructassembler.h"

namespace {

const char* const kSampleBar = R"({"security_symbol":"600000.SH","timestamp":"2024-01-02 09:31:00","open":10.1,)"
                               R"("close":10.2,"high":10.5,"low":9.9,"money":1234567.5,"volume":150000,)"
                               R"("num_trades":321,"period_type":"kline_1m"})";

const char* const kFullPrecisionBar =
    R"({"security_symbol":"000001.SZ","timestamp":"2024-01-02 09:31:00","open":10.123456789012345,)"
    R"("high":10.529999999999999,"low":9.8999999999999986,"close":10.199999999999999,"volume":150000,)"
    R"("money":1518374.6543210123,"num_trades":0,"period_type":"kline_1m"})";

const char* const kShortestBar =
    R"({"security_symbol":"000001.SZ","timestamp":"2024-01-02 09:31:00","open":10.123456789012344,)"
    R"("high":10.53,"low":9.9,"close":10.2,"volume":1e+06,"money":10123456.789012346,"num_trades":0,)"
    R"("period_type":"kline_1m"})";

void BM_BarPushPlain(benchmark::State& state, const char* json) {
    Norq::KLineDataPush bar;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ZqStructAssembler::AssemblePushKLineData(json, bar));
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_BarPushPlain, sample, kSampleBar);
BENCHMARK_CAPTURE(BM_BarPushPlain, digits17, kFullPrecisionBar);
BENCHMARK_CAPTURE(BM_BarPushPlain, shortest, kShortestBar);

// The floor: the same text through Qt's parser into the same record.
void BM_BarPushQt(benchmark::State& state, const char* json) {
    Norq::KLineDataPush bar;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zqinternal::assembleBarPushWithQt(json, bar));
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_BarPushQt, sample, kSampleBar);
BENCHMARK_CAPTURE(BM_BarPushQt, digits17, kFullPrecisionBar);
BENCHMARK_CAPTURE(BM_BarPushQt, shortest, kShortestBar);

}  // namespace
