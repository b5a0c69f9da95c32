// A notification from the host: what happened (the id) and its payload, a
// UTF-8 JSON text or a host record depending on the id.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zq {

struct NotifyMessage {
    uint32_t id;
    const void* payload;
};

static_assert(sizeof(NotifyMessage) == 16, "notification layout");
static_assert(offsetof(NotifyMessage, id) == 0, "notification layout");
static_assert(offsetof(NotifyMessage, payload) == 8, "notification layout");

}  // namespace zq
