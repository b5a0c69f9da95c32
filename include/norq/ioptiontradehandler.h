// Option exercise and freezing of underlying securities.
// A table of virtual operations with no virtual destructor; strategies obtain
// it from their context and never delete it.
#pragma once

namespace Norq {

class IOptionTradeHandler {};

}  // namespace Norq
