// The handle for running the strategy's Python files and functions inside
// the process.
// It offers no operations yet. Strategies obtain it from their context,
// may keep the pointer for the life of the process and never delete it.
#pragma once

namespace Norq {

class IPythonExecutor {};

}  // namespace Norq
