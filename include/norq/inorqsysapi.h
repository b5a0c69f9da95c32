// System API: orders, cancels, queries, market data, reference data, timers,
// custom messages and strategy-instance services.
// A table of virtual operations with no virtual destructor; strategies obtain
// it from their context and never delete it.
#pragma once

namespace Norq {

class INorqSysApi {};

}  // namespace Norq
