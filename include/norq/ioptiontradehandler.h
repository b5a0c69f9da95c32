// The handle for option exercise and freezing of underlying securities.
// It offers no operations yet. Strategies obtain it from their context,
// may keep the pointer for the life of the process and never delete it.
#pragma once

namespace Norq {

class IOptionTradeHandler {};

}  // namespace Norq
