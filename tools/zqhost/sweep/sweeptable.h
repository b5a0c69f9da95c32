// The sweep's ranking: one row per set, read from its folder (sweepset.h)
// and its summary's figures, sorted by the chosen figure, and written as
// results.csv and results.json. Out-of-sample runs sit beside the set they
// repeat. Built on the sweep's thread from whatever the folder holds.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sweepset.h"

namespace zqhost {

enum class FigureKind { Money, Fraction, Ratio, Count, Seconds };

// A figure of the summary a sweep shows: its key in the summary's
// "figures" object ("pnl" is at the top), a label, and which way is better.
struct FigureColumn {
    const char* key;
    const char* label;
    FigureKind kind;
    bool lowerIsBetter;
};

const std::vector<FigureColumn>& figureColumns();
const FigureColumn* figureColumn(const std::string& key);

struct SweepRun {
    std::string id;
    SetOutcome outcome;
    bool hasSummary = false;
    bool hasReport = false;
    std::map<std::string, std::optional<double>> figures;  // by key
    std::vector<std::string> logTail;                      // of a failed run

    bool failed() const { return outcome.finished && (outcome.exitStatus != 0 || !hasSummary); }
    bool done() const { return outcome.finished && !failed(); }
};

struct SweepRow {
    int rank = 0;  // 1 for the best; 0 for a set that did not finish
    ParamSet params;
    SweepRun run;
    std::optional<SweepRun> outOfSample;
};

struct SweepTable {
    std::string metric;
    std::vector<std::string> paramNames;  // every parameter a set has
    std::vector<std::string> varied;      // those with more than one value
    std::vector<SweepRow> rows;           // ranked: done, then failed, then not run
    int done = 0, failed = 0, missing = 0;
};

SweepRun readRun(const std::string& sweepDir, const std::string& id);
// The rows of `sets` (out-of-sample sets join the set they repeat), ranked by `metric`.
SweepTable buildTable(const std::string& sweepDir, const std::vector<SweepSet>& sets, const std::string& metric);

std::string resultsCsv(const SweepTable& table);
std::string resultsJson(const SweepTable& table);

}  // namespace zqhost
