// `zqhost doctor STRATEGY`: says in plain words whether a strategy library
// would load and run under this adapter, and if not, why. In order: the
// file is there and readable; it is a shared library for the adapter's
// architecture; every SDK name it needs (its undefined dynamic symbols in
// namespace Norq) is exported by the adapter; it loads, with the adapter
// already loaded as under a host; it exports getStrategyHandler and that
// hands out a strategy; its parameter schema is usable (schemacheck.h).
// A check that fails ends the examination: the later ones need what it
// established. On Windows the file-format and SDK-name checks are skipped.
#pragma once

#include <string>

#include "finding.h"

namespace zqhost {

Findings examineStrategy(const std::string& strategyPath, const std::string& adapterPath);

// The subcommand; argv[0] is "doctor". Returns the exit status: 0 it would
// run, 1 it would not, 2 a bad command line.
int runDoctor(int argc, char** argv);

}  // namespace zqhost
