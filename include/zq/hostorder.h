// The binary order records the host receives: one HostOrderRecord per order
// (host operations 24 and 25), and for batches a HostBatchHeader followed by
// `count` records.
#pragma once

#include <cstddef>
#include <cstdint>

#include "norq/requests.h"
#include "zq/hostcodes.h"

namespace zq {

struct HostOrderRecord {
    char instance_id[32];
    char account_id[32];
    char client_order_id[64];
    char order_flag[8];  // "0", "R3" or the ETF flag "N"
    Norq::OrderRequest request;
};
static_assert(sizeof(HostOrderRecord) == 240, "host order record layout");
static_assert(offsetof(HostOrderRecord, account_id) == 32, "host order record layout");
static_assert(offsetof(HostOrderRecord, client_order_id) == 64, "host order record layout");
static_assert(offsetof(HostOrderRecord, order_flag) == 128, "host order record layout");
static_assert(offsetof(HostOrderRecord, request) == 136, "host order record layout");

struct HostBatchHeader {
    int32_t count;
    int32_t batch_no;
    int32_t pass_through;
    uint8_t reserved[12];
};
static_assert(sizeof(HostBatchHeader) == 24, "host batch header layout");

}  // namespace zq
