// The handle for margin contracts, assets, collateral and lendable-security
// lists.
// It offers no operations yet. Strategies obtain it from their context,
// may keep the pointer for the life of the process and never delete it.
#pragma once

namespace Norq {

class IMarginHandler {};

}  // namespace Norq
