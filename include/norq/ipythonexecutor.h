// Runs the strategy's Python files and functions inside the process.
// A table of virtual operations with no virtual destructor; strategies obtain
// it from their context and never delete it.
#pragma once

namespace Norq {

class IPythonExecutor {};

}  // namespace Norq
