// What a strategy hands the system API: account types, order requests and
// query filters. Fixed layouts, part of the binary interface like the
// records. Zero-fill a request before filling it (OrderRequest r{};); text
// fields are NUL-terminated unless they fill their whole width.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Norq {

// Which of the user's accounts an operation works on. The host knows each
// by name ("stock", "stock_margin", "futures", "open_fund", "option"); any
// other value is sent as "unknown" and finds no account.
enum AccountType : int32_t {
    ACCOUNT_STOCK = 1,
    ACCOUNT_STOCK_MARGIN = 2,
    ACCOUNT_FUTURES = 3,
    ACCOUNT_OPEN_FUND = 4,
    ACCOUNT_OPTION = 5,
};
static_assert(sizeof(AccountType) == 4, "AccountType is 32-bit");

// One order. The fields from `count` on are read only by the host.
struct OrderRequest {
    char symbol[16];
    int32_t amount;
    int32_t side;
    double price;
    char price_type[4];    // a PRICE_TYPE_* text
    int32_t entrust_type;  // 10 reaches the host as 9 with the order flag "R3"
    int32_t action;
    int32_t invest_type;
    int32_t close_direction;
    int32_t covered_flag;
    int32_t count;  // 0 reaches the host as 1
    uint8_t pass_through[32];
    int32_t pass_through_int;
    double pass_through_double;
};
static_assert(sizeof(OrderRequest) == 104, "OrderRequest layout");
static_assert(offsetof(OrderRequest, amount) == 16, "OrderRequest layout");
static_assert(offsetof(OrderRequest, price) == 24, "OrderRequest layout");
static_assert(offsetof(OrderRequest, price_type) == 32, "OrderRequest layout");
static_assert(offsetof(OrderRequest, entrust_type) == 36, "OrderRequest layout");
static_assert(offsetof(OrderRequest, covered_flag) == 52, "OrderRequest layout");
static_assert(offsetof(OrderRequest, count) == 56, "OrderRequest layout");
static_assert(offsetof(OrderRequest, pass_through) == 60, "OrderRequest layout");
static_assert(offsetof(OrderRequest, pass_through_int) == 92, "OrderRequest layout");
static_assert(offsetof(OrderRequest, pass_through_double) == 96, "OrderRequest layout");

// An order with its flag (ORDER_FLAG_ETF, "N", makes it an ETF creation or
// redemption) and the strategy's own client order id (empty: one is made).
struct OrderRequestEx : OrderRequest {
    char order_flag[4];
    char cl_ord_id[64];
};
static_assert(sizeof(OrderRequestEx) == 176, "OrderRequestEx layout");

// A batch: `requests` points to `count` OrderRequest (batchOrders) or
// OrderRequestEx (batchOrdersEx) elements.
struct BatchOrderRequest {
    const void* requests;
    int32_t count;
    int32_t batch_no;
    int32_t pass_through;  // read only by the host
};
static_assert(sizeof(BatchOrderRequest) == 24, "BatchOrderRequest layout");
static_assert(offsetof(BatchOrderRequest, count) == 8, "BatchOrderRequest layout");
static_assert(offsetof(BatchOrderRequest, batch_no) == 12, "BatchOrderRequest layout");
static_assert(offsetof(BatchOrderRequest, pass_through) == 16, "BatchOrderRequest layout");

// The filter of order and execution queries.
struct TradeQuery {
    char symbol[14];
    char order_id[64];
    int32_t pass_through[2];  // read only by the platform
    bool own_only;            // this strategy instance's records only
    uint8_t reserved[64];
    bool status_filter_flag;
};
static_assert(sizeof(TradeQuery) == 156, "TradeQuery layout");
static_assert(offsetof(TradeQuery, order_id) == 14, "TradeQuery layout");
static_assert(offsetof(TradeQuery, pass_through) == 80, "TradeQuery layout");
static_assert(offsetof(TradeQuery, own_only) == 88, "TradeQuery layout");
static_assert(offsetof(TradeQuery, status_filter_flag) == 153, "TradeQuery layout");

// A bar query over a time range. Times are yyyyMMddhhmmss numbers or a
// prefix of them (yyyyMMdd).
struct KLineQuery {
    char symbol[16];
    int64_t start;
    int64_t end;
    char period[12];     // a KLINE_* text
    int32_t query_type;  // 0 means 11
    bool flag;
};
static_assert(sizeof(KLineQuery) == 56, "KLineQuery layout");
static_assert(offsetof(KLineQuery, start) == 16, "KLineQuery layout");
static_assert(offsetof(KLineQuery, period) == 32, "KLineQuery layout");
static_assert(offsetof(KLineQuery, query_type) == 44, "KLineQuery layout");
static_assert(offsetof(KLineQuery, flag) == 48, "KLineQuery layout");

// A bar query from an initial time. The fields after `flag` are passed to
// the platform as they are; the trailing text has 12 bytes like `period`.
struct KLineInitDateQuery {
    char symbol[16];
    int64_t init_time;
    int32_t count;
    char period[12];
    int32_t query_type;  // 0 means 11
    bool flag;
    int32_t extra;
    char extra_text[12];
};
static_assert(sizeof(KLineInitDateQuery) == 64, "KLineInitDateQuery layout");
static_assert(offsetof(KLineInitDateQuery, init_time) == 16, "KLineInitDateQuery layout");
static_assert(offsetof(KLineInitDateQuery, count) == 24, "KLineInitDateQuery layout");
static_assert(offsetof(KLineInitDateQuery, period) == 28, "KLineInitDateQuery layout");
static_assert(offsetof(KLineInitDateQuery, query_type) == 40, "KLineInitDateQuery layout");
static_assert(offsetof(KLineInitDateQuery, flag) == 44, "KLineInitDateQuery layout");
static_assert(offsetof(KLineInitDateQuery, extra) == 48, "KLineInitDateQuery layout");
static_assert(offsetof(KLineInitDateQuery, extra_text) == 52, "KLineInitDateQuery layout");

// A margin account's tradable-quantity question (IMarginHandler::getAvaliableMarginQty).
struct MarginQtyRequest {
    char symbol[16];
    int32_t entrust_bs;  // trade direction: 1 or 2
    double entrust_price;
    char price_type[4];     // a PRICE_TYPE_* text
    int32_t entrust_type;   // 6, 7, 9 or 10; 10 reaches the host as 0 with the property "R3"
    int32_t position_type;  // 0 means 1
};
static_assert(sizeof(MarginQtyRequest) == 48, "MarginQtyRequest layout");
static_assert(offsetof(MarginQtyRequest, entrust_bs) == 16, "MarginQtyRequest layout");
static_assert(offsetof(MarginQtyRequest, entrust_price) == 24, "MarginQtyRequest layout");
static_assert(offsetof(MarginQtyRequest, price_type) == 32, "MarginQtyRequest layout");
static_assert(offsetof(MarginQtyRequest, entrust_type) == 36, "MarginQtyRequest layout");
static_assert(offsetof(MarginQtyRequest, position_type) == 40, "MarginQtyRequest layout");

}  // namespace Norq
