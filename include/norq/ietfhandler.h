// The handle for ETF creation and redemption, ETF information and constituent
// lists.
// It offers no operations yet. Strategies obtain it from their context,
// may keep the pointer for the life of the process and never delete it.
#pragma once

namespace Norq {

class IEtfHandler {};

}  // namespace Norq
