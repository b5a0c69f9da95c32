// The block through which the host answers a request.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zq {

// The caller initialises the block as below. The host sets `code` (its low 32
// bits 0 mean success) and may store in `data` a NUL-terminated UTF-8 answer
// allocated with malloc; the caller releases it with free, also on failure.
struct HostResult {
    int64_t code = -1;
    int32_t value = 0;
    char* data = nullptr;
};

static_assert(sizeof(HostResult) == 24, "host result block layout");
static_assert(offsetof(HostResult, code) == 0, "host result block layout");
static_assert(offsetof(HostResult, value) == 8, "host result block layout");
static_assert(offsetof(HostResult, data) == 16, "host result block layout");

}  // namespace zq
