// ETF creation and redemption, ETF information and constituent lists.
// A table of virtual operations with no virtual destructor; strategies obtain
// it from their context and never delete it.
#pragma once

namespace Norq {

class IEtfHandler {};

}  // namespace Norq
