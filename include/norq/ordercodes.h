// The numbers every strategy writes and compares in orders: sides and the
// statuses a host reports. Plain constants, usable without the adapter
// library (constants.h, which includes this header, holds the text codes).
#pragma once

#include <cstdint>

namespace Norq {

// Order sides: OrderRequest::side, Order::side, Execution::side.
constexpr int32_t ORDER_SIDE_BUY = 1;
constexpr int32_t ORDER_SIDE_SELL = 2;

// Order statuses (Order::status) in order reports and in the answers to
// order queries.
constexpr int32_t ORDER_STATUS_ACCEPTED = 1;
constexpr int32_t ORDER_STATUS_CANCELLED = 5;
constexpr int32_t ORDER_STATUS_PARTIALLY_FILLED = 7;
constexpr int32_t ORDER_STATUS_FILLED = 8;
constexpr int32_t ORDER_STATUS_REJECTED = 9;

}  // namespace Norq
