// The local host's command line.
#pragma once

#include <map>
#include <string>
#include <vector>

struct Options {
    std::string adapterPath;  // empty: the adapter next to this executable
    std::string strategyPath;
    std::string params;                   // chosen parameter values, a JSON object
    std::vector<std::string> paramSets;   // more choices, NAME=VALUE each
    std::map<std::string, std::string> accountIds;  // account-type name -> id
    std::string instanceId = "local-1";
    int tickLength = 1000;
    int ticks = 0;  // timer ticks delivered while the strategy runs, without bars
    std::vector<std::string> barFiles;
    int periodSeconds = 0;  // 0: each file's own, from the spacing of its bars
    long long start = 0;    // yyyyMMddhhmmss: earlier bars are history, not delivered
    long long end = 99991231235959;  // yyyyMMddhhmmss: later bars are not read
    double cash = 1000000;
    double commission = 0;
    bool partialFills = false;
    std::string summaryPath;
    std::string reportPath;
    bool allowErrors = false;
    int callbackTimeout = 60;  // seconds; 0 waits for ever
    bool schemaOnly = false;
    bool qtEcho = false;  // keep the library's Qt debug echo of log lines
    std::string recordPath;  // write the run's trace here
    std::string replayPath;  // run the strategy against this trace instead of bars
};

// Fills `options` from argv. On a bad command line returns false with the
// reason in `error`.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);

const char* usageText();
