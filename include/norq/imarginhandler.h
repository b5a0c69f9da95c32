// Margin contracts, assets, collateral and lendable-security lists.
// A table of virtual operations with no virtual destructor; strategies obtain
// it from their context and never delete it.
#pragma once

namespace Norq {

class IMarginHandler {};

}  // namespace Norq
