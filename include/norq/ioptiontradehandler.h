// The handle for option exercise and freezing of underlying securities, both
// in the options account. Strategies obtain it from their context
// (IZqContext::getOptionTradeHandler), may keep the pointer for the life of
// the process and never delete it. Operations run on the calling thread and
// never throw. The slot order is the binary interface: never reorder, insert
// or remove.
#pragma once

#include <cstdint>

#include "norq/records.h"

namespace Norq {

// clang-format off
class IOptionTradeHandler {
public:
    // Exercises `quantity` contracts of the option `symbol`. On acceptance
    // the Order describes what was sent (status 1, order_id the client order
    // id); without an options account or on refusal it is all zero.
    virtual Order optionExercise(const char* symbol, int32_t quantity) = 0;                  // 0
    // Freezes (freeze true) or unfreezes `quantity` of the underlying
    // security `symbol` for covered positions. Results as for optionExercise.
    virtual Order underlyingSecurityFreeze(const char* symbol, int32_t quantity,
                                           bool freeze) = 0;                                 // 1
};
// clang-format on

}  // namespace Norq
