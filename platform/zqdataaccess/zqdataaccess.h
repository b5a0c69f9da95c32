// Stand-in for the platform's data-access library: the plain C functions the
// adapter calls for orders, executions, positions, funds, bars, ticks and
// index components. Queries go in by pointer, answers come back by value.
// Every row array handed out belongs to the library until ReleaseMem.
//
// The rows come from a provider that whoever hosts the library registers
// (tests, the local host); with none, every query answers zero rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "zq/hostrows.h"

#if defined(_WIN32)
#if defined(ZQDATAACCESS_BUILD)
#define ZQDATAACCESS_EXPORT __declspec(dllexport)
#else
#define ZQDATAACCESS_EXPORT __declspec(dllimport)
#endif
#else
#define ZQDATAACCESS_EXPORT __attribute__((visibility("default")))
#endif

// The query records, zero-filled, texts NUL-terminated within their fields.
struct ZqOrderQuery {
    char order_id[64];
    char account_id[64];
    char statuses[32];  // "1,2,7,4,3" or empty
    char instance[64];  // the instance id, or "ALL"
    int32_t pass_through[2];
    char symbol[32];
    int32_t tail;  // -1
};
static_assert(sizeof(ZqOrderQuery) == 268, "order query layout");
static_assert(offsetof(ZqOrderQuery, pass_through) == 224, "order query layout");
static_assert(offsetof(ZqOrderQuery, tail) == 264, "order query layout");

struct ZqExecutionQuery {
    char order_id[64];
    char account_id[64];
    char fixed[8];          // "0"
    char status_filter[8];  // "2" or "0"
    char instance[64];      // the instance id, or "ALL"
    int32_t pass_through[2];
    char symbol[32];
    int32_t tail;  // -1
};
static_assert(sizeof(ZqExecutionQuery) == 252, "execution query layout");
static_assert(offsetof(ZqExecutionQuery, instance) == 144, "execution query layout");
static_assert(offsetof(ZqExecutionQuery, pass_through) == 208, "execution query layout");
static_assert(offsetof(ZqExecutionQuery, tail) == 248, "execution query layout");

struct ZqPositionQuery {
    char account_id[64];
    char symbol[32];
    int32_t tail;  // -1
};
static_assert(sizeof(ZqPositionQuery) == 100, "position query layout");

struct ZqFundQuery {
    char account_id[64];
};
static_assert(sizeof(ZqFundQuery) == 64, "fund query layout");

extern "C" {

struct ZqTradeAnswer {
    int32_t row_count;
    int32_t total_count;
    bool last_page;
    void* rows;
};
static_assert(sizeof(ZqTradeAnswer) == 24, "trade answer layout");
static_assert(offsetof(ZqTradeAnswer, last_page) == 8, "trade answer layout");
static_assert(offsetof(ZqTradeAnswer, rows) == 16, "trade answer layout");

struct ZqRowsAnswer {
    void* rows;
    int32_t row_count;
};
static_assert(sizeof(ZqRowsAnswer) == 16, "rows answer layout");

ZQDATAACCESS_EXPORT ZqTradeAnswer QueryEntrust(const void* order_query);
ZQDATAACCESS_EXPORT ZqTradeAnswer QueryTradeDeal(const void* execution_query);
// source: 0 the platform's own book, 1 the broker's counter.
ZQDATAACCESS_EXPORT ZqRowsAnswer QueryStockPosition(const void* position_query, int32_t source);
ZQDATAACCESS_EXPORT zq::FundRow QueryFundQuota(const void* fund_query);
ZQDATAACCESS_EXPORT ZqRowsAnswer QueryKLineData(const char* symbol, const char* start, const char* end, int32_t count,
                                                int32_t one, const char* period, bool flag);
ZQDATAACCESS_EXPORT ZqRowsAnswer QueryKLineDataFromInitDate(const char* symbol, int32_t word24, const char* init_time,
                                                            int32_t count, int32_t one, const char* text28,
                                                            int32_t word48, const char* text52, bool flag44);
ZQDATAACCESS_EXPORT ZqRowsAnswer QueryTick(const char* symbol, const char* start, const char* end);
ZQDATAACCESS_EXPORT ZqRowsAnswer QueryIndexComponents(const char* index_symbol);
ZQDATAACCESS_EXPORT void ReleaseMem(void* rows);

}  // extern "C"

// One query as the provider sees it: the function's name, its query record
// (when it takes one) and its other arguments in order.
struct ZqDataCall {
    std::string function;             // "QueryEntrust", "QueryKLineData", ...
    std::vector<uint8_t> query;       // the query record's bytes
    std::vector<std::string> texts;   // text arguments (null as "")
    std::vector<int64_t> numbers;     // integer and boolean arguments
};

// What the provider answers: whole rows of the function's row layout.
struct ZqDataRows {
    std::vector<uint8_t> bytes;  // a whole number of rows; a partial row is dropped
    int32_t total_count = 0;     // order and execution queries only
    bool last_page = true;       // order and execution queries only
};

class ZqDataProvider {
public:
    virtual ZqDataRows answer(const ZqDataCall& call) = 0;

protected:
    ~ZqDataProvider() = default;
};

// What the library has handed out and taken back since the last reset.
struct ZqDataAccessStats {
    int32_t outstanding;       // row arrays not yet released
    int32_t releases;          // ReleaseMem calls, null included
    int32_t foreign_releases;  // ReleaseMem of a pointer the library never handed out
};

// Registers the source of rows (null: none) and restarts the release counts.
ZQDATAACCESS_EXPORT void ZqDataAccessSetProvider(ZqDataProvider* provider);
ZQDATAACCESS_EXPORT ZqDataAccessStats ZqDataAccessGetStats();
