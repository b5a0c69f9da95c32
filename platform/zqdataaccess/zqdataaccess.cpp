#include "zqdataaccess.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

namespace {

constexpr size_t kKLineRowSize = 112;
constexpr size_t kTickRowSize = 1048;
constexpr size_t kIndexComponentRowSize = 40;

std::mutex mutex;  // guards everything below
ZqDataProvider* provider = nullptr;
std::unordered_set<void*> handedOut;
ZqDataAccessStats stats{};

std::string text(const char* s) {
    return s ? s : "";
}

template <typename Query>
std::vector<uint8_t> bytesOf(const void* query) {
    if (!query) return {};
    const uint8_t* bytes = static_cast<const uint8_t*>(query);
    return std::vector<uint8_t>(bytes, bytes + sizeof(Query));
}

// The provider is called without the lock, so it may query the library itself.
ZqDataRows ask(ZqDataCall call) {
    ZqDataProvider* current;
    {
        std::lock_guard<std::mutex> lock(mutex);
        current = provider;
    }
    return current ? current->answer(call) : ZqDataRows();
}

// Copies the whole rows of `bytes` into an array the caller gives back with
// ReleaseMem; no rows, no array.
void* handOut(const std::vector<uint8_t>& bytes, size_t stride, int32_t& count) {
    size_t rows = bytes.size() / stride;
    if (rows > static_cast<size_t>(INT32_MAX)) rows = INT32_MAX;
    count = static_cast<int32_t>(rows);
    if (rows == 0) return nullptr;
    void* array = std::malloc(rows * stride);
    if (!array) {
        count = 0;
        return nullptr;
    }
    std::memcpy(array, bytes.data(), rows * stride);
    std::lock_guard<std::mutex> lock(mutex);
    handedOut.insert(array);
    ++stats.outstanding;
    return array;
}

ZqRowsAnswer rowsAnswer(ZqDataCall call, size_t stride) {
    ZqRowsAnswer answer{};
    answer.rows = handOut(ask(std::move(call)).bytes, stride, answer.row_count);
    return answer;
}

ZqTradeAnswer tradeAnswer(ZqDataCall call, size_t stride) {
    ZqDataRows rows = ask(std::move(call));
    ZqTradeAnswer answer{};
    answer.rows = handOut(rows.bytes, stride, answer.row_count);
    answer.total_count = rows.total_count;
    answer.last_page = rows.last_page;
    return answer;
}

}  // namespace

ZqTradeAnswer QueryEntrust(const void* order_query) {
    return tradeAnswer({"QueryEntrust", bytesOf<ZqOrderQuery>(order_query), {}, {}}, sizeof(zq::OrderRow));
}

ZqTradeAnswer QueryTradeDeal(const void* execution_query) {
    return tradeAnswer({"QueryTradeDeal", bytesOf<ZqExecutionQuery>(execution_query), {}, {}},
                       sizeof(zq::ExecutionRow));
}

ZqRowsAnswer QueryStockPosition(const void* position_query, int32_t source) {
    return rowsAnswer({"QueryStockPosition", bytesOf<ZqPositionQuery>(position_query), {}, {source}},
                      sizeof(zq::PositionRow));
}

zq::FundRow QueryFundQuota(const void* fund_query) {
    ZqDataRows rows = ask({"QueryFundQuota", bytesOf<ZqFundQuery>(fund_query), {}, {}});
    zq::FundRow row{};
    if (rows.bytes.size() >= sizeof row) std::memcpy(&row, rows.bytes.data(), sizeof row);
    return row;
}

ZqRowsAnswer QueryKLineData(const char* symbol, const char* start, const char* end, int32_t count, int32_t one,
                            const char* period, bool flag) {
    return rowsAnswer({"QueryKLineData", {}, {text(symbol), text(start), text(end), text(period)}, {count, one, flag}},
                      kKLineRowSize);
}

ZqRowsAnswer QueryKLineDataFromInitDate(const char* symbol, int32_t word24, const char* init_time, int32_t count,
                                        int32_t one, const char* text28, int32_t word48, const char* text52,
                                        bool flag44) {
    return rowsAnswer({"QueryKLineDataFromInitDate",
                       {},
                       {text(symbol), text(init_time), text(text28), text(text52)},
                       {word24, count, one, word48, flag44}},
                      kKLineRowSize);
}

ZqRowsAnswer QueryTick(const char* symbol, const char* start, const char* end) {
    return rowsAnswer({"QueryTick", {}, {text(symbol), text(start), text(end)}, {}}, kTickRowSize);
}

ZqRowsAnswer QueryIndexComponents(const char* index_symbol) {
    return rowsAnswer({"QueryIndexComponents", {}, {text(index_symbol)}, {}}, kIndexComponentRowSize);
}

void ReleaseMem(void* rows) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        ++stats.releases;
        if (!rows) return;
        if (handedOut.erase(rows) == 0) {
            ++stats.foreign_releases;
            return;
        }
        --stats.outstanding;
    }
    std::free(rows);
}

void ZqDataAccessSetProvider(ZqDataProvider* newProvider) {
    std::lock_guard<std::mutex> lock(mutex);
    provider = newProvider;
    stats.releases = 0;
    stats.foreign_releases = 0;
}

ZqDataAccessStats ZqDataAccessGetStats() {
    std::lock_guard<std::mutex> lock(mutex);
    return stats;
}
