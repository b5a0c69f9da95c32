// Running a sweep's sets: each set is a zqhost process of its own (the
// adapter is one per process), `jobs` at once, its output in its folder
// (sweepset.h). A set that fails is recorded with its exit status and the
// others go on. Or, instead of running them, one self-contained shell
// command per set for GNU parallel or a batch scheduler.
// Called on the sweep's thread; it waits for its own children only.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "sweepset.h"

namespace zqhost {

struct RunPlan {
    std::string executable;  // this zqhost, absolute
    std::string sweepDir;    // absolute
    // Each run's options by sample (their bar files differ with --split),
    // absolute paths, without the library.
    std::map<Sample, std::vector<std::string>> runArgs;
    std::string library;  // absolute
    bool reports = false;
    int jobs = 1;
};

// The command line of one set.
std::vector<std::string> setCommand(const RunPlan& plan, const SweepSet& set);
// The same as one line for a POSIX shell that also records the exit status
// and run time, as the sweep itself does, and ends with the run's status.
std::string setShellCommand(const RunPlan& plan, const SweepSet& set);

// Runs every set, printing progress to standard error when it is a terminal.
// Returns the number that failed; -1 with `error` when a set could not be
// started at all.
int runSets(const RunPlan& plan, const std::vector<SweepSet>& sets, std::string& error);

}  // namespace zqhost
