// The hot path: a bar push from OnNotifyMessage to the strategy's onKLine,
// next to its floor, a bare parse of the same text that reads the same
// fields. The goal is at most 1.2 times the floor; the ratio is printed
// after the run.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstring>

#include "benchsession.h"
#include "norq/records.h"
#include "zq/hostcodes.h"

namespace {

const char* const kBar = R"({"security_symbol":"600000.SH","timestamp":"2024-01-02 09:31:00","open":10.1,)"
                         R"("close":10.2,"high":10.5,"low":9.9,"money":1234567.5,"volume":150000,)"
                         R"("num_trades":321,"period_type":"kline_1m"})";

void BM_BarPushToOnKLine(benchmark::State& state) {
    BenchSession session;
    zq::NotifyMessage message{zq::kNotifyBar, kBar};
    for (auto _ : state) benchmark::DoNotOptimize(getAdapter()->OnNotifyMessage(&message));
}
BENCHMARK(BM_BarPushToOnKLine);

// The same parse and the same reads, with nothing around them.
void BM_BarJsonFloor(benchmark::State& state) {
    for (auto _ : state) {
        QJsonObject o = QJsonDocument::fromJson(QByteArray::fromRawData(kBar, std::strlen(kBar))).object();
        Norq::KLineDataPush bar{};
        QByteArray symbol = o.value(QLatin1String("security_symbol")).toString().toUtf8();
        QByteArray time = o.value(QLatin1String("timestamp")).toString().toUtf8();
        QByteArray period = o.value(QLatin1String("period_type")).toString().toUtf8();
        std::memcpy(bar.symbol, symbol.constData(), std::min<size_t>(symbol.size(), sizeof bar.symbol - 1));
        std::memcpy(bar.datetime, time.constData(), std::min<size_t>(time.size(), sizeof bar.datetime - 1));
        std::memcpy(bar.data_type, period.constData(), std::min<size_t>(period.size(), sizeof bar.data_type - 1));
        bar.open = o.value(QLatin1String("open")).toDouble();
        bar.close = o.value(QLatin1String("close")).toDouble();
        bar.high = o.value(QLatin1String("high")).toDouble();
        bar.low = o.value(QLatin1String("low")).toDouble();
        bar.total_money = o.value(QLatin1String("money")).toDouble();
        bar.total_volume = static_cast<int64_t>(o.value(QLatin1String("volume")).toDouble());
        bar.num_trades = static_cast<int64_t>(o.value(QLatin1String("num_trades")).toDouble());
        benchmark::DoNotOptimize(bar);
    }
}
BENCHMARK(BM_BarJsonFloor);

}  // namespace
