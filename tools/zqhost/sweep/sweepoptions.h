// The command line of `zqhost sweep`: its own options, and the options of
// each run, which are zqhost's own and go to every run as given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "options.h"

namespace zqhost {

struct SweepOptions {
    std::vector<std::string> grids;  // NAME=VALUES each
    int random = 0;                  // 0: the whole grid
    uint64_t seed = 1;
    std::string where;
    int jobs = 0;  // 0: one per core
    std::string outDir;
    std::string metric = "sharpe";
    bool reports = false;
    std::string emitPath;    // write the commands here instead of running them
    std::string collectDir;  // only build the tables and page of this folder
    int32_t splitDate = 0;   // yyyyMMdd; 0: no out-of-sample runs
    int top = 3;
    // Each run's options, the strategy library last, and what they mean.
    std::vector<std::string> runArgs;
    Options run;
};

// Fills `options` from argv (argv[0] is "sweep"). On a bad command line
// returns false with the reason in `error`; false with no error for --help.
bool parseSweepOptions(int argc, char** argv, SweepOptions& options, std::string& error);

const char* sweepUsageText();

}  // namespace zqhost
