// The local host's command line.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "faultplan.h"

struct Options {
    std::string adapterPath;  // empty: the adapter next to this executable
    std::string strategyPath;
    std::string params;                   // chosen parameter values, a JSON object
    std::vector<std::string> paramSets;   // more choices, NAME=VALUE each
    std::map<std::string, std::string> accountIds;  // account-type name -> id; every type has one
    std::string instanceId = "local-1";
    int tickLength = 1000;
    int ticks = 0;  // timer ticks delivered while the strategy runs, without bars
    std::vector<std::string> barFiles;
    int periodSeconds = 0;  // 0: each file's own, from the spacing of its bars
    long long start = 0;    // yyyyMMddhhmmss: earlier bars are history, not delivered
    long long end = 99991231235959;  // yyyyMMddhhmmss: later bars are not read
    double cash = 1000000;
    double commission = 0;
    double riskFree = 0;  // a yearly rate, for the Sharpe and Sortino ratios
    bool partialFills = false;
    int lot = 1;             // buys in whole multiples of it
    double slippageBps = 0;  // market fills this many 1/10000 against the trader
    std::string summaryPath;
    std::string reportPath;
    bool allowErrors = false;
    int callbackTimeout = 60;  // seconds; 0 waits for ever
    bool schemaOnly = false;
    bool qtEcho = false;  // keep the library's Qt debug echo of log lines
    std::string recordPath;  // write the run's trace here
    std::string replayPath;  // run the strategy against this trace instead of bars
    int logLevel = 1;        // the log stream's threshold: 0 debug, 1 info, 2 warn, 3 error
    std::string logPath;     // the log stream's file; empty: standard output
    std::string faults;      // the fault plan as given; empty: the host behaves
    zqhost::FaultPlan faultPlan;
    unsigned long long faultSeed = 1;
    bool faultSeedGiven = false;
};

// Fills `options` from argv. On a bad command line returns false with the
// reason in `error`.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);

const char* usageText();

// "stock=ID, stock_margin=ID, ...": the account of every type, as the run uses them.
std::string accountsText(const Options& options);
