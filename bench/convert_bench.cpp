// What converting an order row costs next to merely copying it, and what its
// time text would cost going through Qt.
#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QString>

#include <cstring>
#include <string>

#include "convert/timetext.h"
#include "convert/zqstructassembler.h"
#include "sdk/textcopy.h"

namespace {

// An order row with texts of everyday lengths.
zq::OrderRow sampleOrderRow() {
    zq::OrderRow row;
    std::memset(&row, 0, sizeof row);
    zqinternal::copyText(row.trader_name, "trader-7");
    zqinternal::copyText(row.fund_account, "880001");
    zqinternal::copyText(row.entrust_no, "20240102000123");
    zqinternal::copyText(row.orig_order_id, "{5f0c2a9e-41d7-4e08-9b1a-7c3d2e6f8a10}");
    zqinternal::copyText(row.status, "5");
    row.price = 10.25;
    row.avg_cost = 10.125;
    row.filled = 300;
    row.amount = 500;
    row.side = 1;
    row.time_of_day = 93015;
    row.date = 20240102;
    zqinternal::copyText(row.price_type, "0");
    row.business_balance = 3037.5;
    zqinternal::copyText(row.order_id, "{9a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d}");
    row.error_code = 0;
    zqinternal::copyText(row.symbol, "600000.SH");
    zqinternal::copyText(row.action, "1");
    zqinternal::copyText(row.invest_type, "0");
    zqinternal::copyText(row.close_direction, "0");
    zqinternal::copyText(row.covered_flag, "0");
    zqinternal::copyText(row.cancel_info, "cancelled by user");
    zqinternal::copyText(row.entrust_prop, "0");
    zqinternal::copyText(row.security_exchange, "SH");
    return row;
}

void BM_OrderFromRow(benchmark::State& state) {
    const zq::OrderRow row = sampleOrderRow();
    Norq::Order order;
    for (auto _ : state) {
        ZqStructAssembler::orderFromRow(row, order);
        benchmark::DoNotOptimize(order);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OrderFromRow);

// The floor: the row's bytes moved once.
void BM_OrderRowMemcpy(benchmark::State& state) {
    const zq::OrderRow row = sampleOrderRow();
    zq::OrderRow copy;
    for (auto _ : state) {
        std::memcpy(&copy, &row, sizeof row);
        benchmark::DoNotOptimize(copy);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OrderRowMemcpy);

void BM_TimeText(benchmark::State& state) {
    const zq::OrderRow row = sampleOrderRow();
    char field[24];
    for (auto _ : state) {
        zqinternal::copyTimeText(field, row.date, row.time_of_day);
        benchmark::DoNotOptimize(field);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TimeText);

// The same text the way Qt produces it, for contrast.
void BM_TimeTextThroughQt(benchmark::State& state) {
    const zq::OrderRow row = sampleOrderRow();
    char field[24];
    for (auto _ : state) {
        const std::string joined = std::to_string(row.date) + std::to_string(row.time_of_day);
        const QDateTime read = QDateTime::fromString(QString::fromStdString(joined), QStringLiteral("yyyyMMddhmmss"));
        const QByteArray text = read.toString(QStringLiteral("yyyyMMdd hh:mm:ss zzz")).toLatin1();
        zqinternal::copyText(field, text.constData(), static_cast<size_t>(text.size()));
        benchmark::DoNotOptimize(field);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TimeTextThroughQt);

}  // namespace
