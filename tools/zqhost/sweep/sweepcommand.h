// `zqhost sweep`: runs the same replay for many parameter sets, each in a
// zqhost process of its own, and ranks them (sweepoptions.h lists the
// options, docs/sweep.md shows the workflow).
#pragma once

namespace zqhost {

// argv[0] is "sweep". Exit status: 0 when at least one set finished (failed
// sets are part of the results), 1 when none did or the sweep could not be
// set up, 2 for a bad command line.
int runSweep(int argc, char** argv);

}  // namespace zqhost
