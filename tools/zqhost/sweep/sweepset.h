// One set of a sweep and its folder, sets/ID/ inside the sweep's folder:
//   set.json       its parameters (written before it runs)
//   summary.json   the run's summary; report.html with --reports
//   log.txt        everything the run printed
//   exit-status    "STATUS MILLISECONDS" once the run ended: the exit status
//                  as a shell reports it (128 + signal for a crash) and the
//                  run's wall time
// A set is identified by its parameters, the contents of the bar files and
// of the strategy library, and the other run options, so changing any of
// them makes new sets. Written and read by the sweep's thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "paramgrid.h"

namespace zqhost {

enum class Sample { Whole, In, Out };

struct SweepSet {
    std::string id;
    ParamSet params;
    Sample sample = Sample::Whole;
    std::string pairedWith;  // out of sample: the in-sample set it repeats
};

struct SetOutcome {
    bool finished = false;  // an exit status is there
    int exitStatus = -1;
    std::optional<double> runSeconds;
};

// The hash of what every set of a run shares: the bar files' and library's
// contents and the other run options. False with the reason when a file
// cannot be read.
bool runIdentity(const std::vector<std::string>& barFiles, const std::string& library,
                 const std::vector<std::string>& otherOptions, std::string& identity, std::string& error);
// A set's id: 16 hex digits of the hash of the run's identity and the set.
std::string setId(const std::string& identity, const ParamSet& params);

std::string setFolder(const std::string& sweepDir, const std::string& id);
bool writeSetFile(const std::string& sweepDir, const SweepSet& set, std::string& error);
// Every set whose set.json reads, in folder order.
std::vector<SweepSet> readSets(const std::string& sweepDir);
SetOutcome readOutcome(const std::string& sweepDir, const std::string& id);
bool writeOutcome(const std::string& sweepDir, const std::string& id, int status, double milliseconds,
                  std::string& error);
// The last `lines` lines of the set's log.
std::vector<std::string> logTail(const std::string& sweepDir, const std::string& id, int lines);

}  // namespace zqhost
