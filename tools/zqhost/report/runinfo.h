// What was run, for the summary file and the report: the local host's
// version, the strategy library and the bar files (each with its size and
// SHA-256, so a result can be matched with its inputs), the parameters as
// delivered, the account options, and how the run ended: its status word,
// the exit status, every exception a strategy callback threw, and whether
// it was interrupted and where. Filled by the main thread as the run goes.
#pragma once

#include <QJsonObject>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct Options;

namespace zqhost {

struct FileFacts {
    std::string path;    // as given on the command line
    int64_t size = -1;   // bytes; -1 when it could not be read
    std::string sha256;  // lower-case hex; empty when it could not be read
};

// A strategy callback threw; `time` is the simulated time then
// ("yyyy-MM-dd hh:mm:ss"), empty before any bar.
struct CallbackError {
    std::string callback;
    std::string exception;
    std::string time;
};

struct AccountOptions {
    std::map<std::string, std::string> accounts;  // account-type name -> id
    double cash = 0;
    double commission = 0;
    bool partialFills = false;
};

struct RunInfo {
    std::string version;  // of zqhost
    FileFacts library;
    std::vector<FileFacts> barFiles;
    std::string parameters;  // the running parameters as delivered, a JSON object text
    AccountOptions account;
    int exitStatus = 0;
    std::vector<CallbackError> callbackErrors;
    bool interrupted = false;
    std::string reached;  // the simulated time of the last bar delivered
};

FileFacts fileFacts(const std::string& path);

// What the command line says was run: the library, the bar files and the
// account options, with `runParams` (as delivered) and this `version`. The
// files' sizes and hashes are taken only when a --summary or --report will
// show them.
RunInfo describeRun(const Options& options, const std::string& runParams, const std::string& version);

// "done", "callback errors" or "interrupted"; see docs/summary.md.
std::string runStatus(const RunInfo& info);

// The summary's "run" object.
QJsonObject runInfoJson(const RunInfo& info);
// The report's section on the run: its status first, then what was run.
std::string runInfoHtml(const RunInfo& info);

}  // namespace zqhost
