#include "options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "barcatalog.h"
#include "bars.h"
#include "hostlog.h"
#include "numberarg.h"

using zqhost::parseAmount;
using zqhost::parseCount;

namespace {

constexpr unsigned long long kMaxFaultSeed = 1ULL << 53;
const char* const kAccountTypes[] = {"stock", "stock_margin", "futures", "open_fund", "option"};
// The account of each type above when --account does not name one.
const char* const kDefaultAccountIds[] = {"880001", "880002", "880003", "880004", "880005"};

// A date or a time; a date alone as --end means the whole day.
bool parseBound(const std::string& text, bool end, long long& out) {
    int64_t stamp = 0, seconds = 0;
    if (!zqhost::parseStamp(text, stamp, seconds)) return false;
    out = end && text.size() == 10 ? stamp + 235959 : stamp;
    return true;
}

bool knownAccountType(const std::string& type) {
    for (const char* known : kAccountTypes) {
        if (type == known) return true;
    }
    return false;
}

bool parseAccount(const std::string& text, Options& options, std::string& error) {
    size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0) {
        error = "--account takes TYPE=ID, got '" + text + "'";
        return false;
    }
    std::string type = text.substr(0, eq);
    if (!knownAccountType(type)) {
        error = "unknown account type '" + type + "' (one of: stock, stock_margin, futures, open_fund, option)";
        return false;
    }
    options.accountIds[type] = text.substr(eq + 1);
    return true;
}

void addDefaultAccounts(Options& options) {
    for (size_t i = 0; i < sizeof kAccountTypes / sizeof kAccountTypes[0]; ++i) {
        options.accountIds.emplace(kAccountTypes[i], kDefaultAccountIds[i]);
    }
}

bool parseFaults(Options& options, std::string& error) {
    if (zqhost::parseFaultPlan(options.faults, options.faultPlan, error)) return true;
    error = "--faults: " + error;
    return false;
}

bool parseSeed(const std::string& text, Options& options, std::string& error) {
    char* end = nullptr;
    errno = 0;
    options.faultSeed = std::strtoull(text.c_str(), &end, 10);
    options.faultSeedGiven = true;
    // The summary keeps the seed as a JSON number, exact up to 2^53.
    if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos && !*end && errno != ERANGE &&
        options.faultSeed <= kMaxFaultSeed) {
        return true;
    }
    error = "--fault-seed takes a whole number from 0 to 9007199254740992, got '" + text + "'";
    return false;
}

bool checkFaultOptions(const Options& options, std::string& error) {
    if (!options.faults.empty() && options.barFiles.empty()) {
        error = "--faults needs --bars: faults are injected into a replay";
        return false;
    }
    if (options.faultSeedGiven && options.faults.empty()) {
        error = "--fault-seed needs --faults";
        return false;
    }
    return true;
}

}  // namespace

std::string accountsText(const Options& options) {
    std::string text;
    for (const char* type : kAccountTypes) {
        auto it = options.accountIds.find(type);
        if (it == options.accountIds.end()) continue;
        text += (text.empty() ? "" : ", ") + it->first + "=" + it->second;
    }
    return text;
}

const char* usageText() {
    return "usage: zqhost [options] STRATEGY_LIBRARY\n"
           "       zqhost doctor [--adapter PATH] STRATEGY_LIBRARY   say whether it would load and run, and why not\n"
           "       zqhost sweep [options] STRATEGY_LIBRARY           run many parameter sets (zqhost sweep --help)\n"
           "  --bars FILE.csv       replay these bars (repeatable; merged in time order) against a\n"
           "                        simulated account\n"
           "  --bars FILE.csv.gz    the same, gzip-compressed\n"
           "  --period P            the bars' period: 1m, 5m, 15m, 30m, 60m or 1d (default: each file's\n"
           "                        own, from the spacing of its bars)\n"
           "  --start DATE          deliver bars from DATE (yyyy-MM-dd or yyyy-MM-dd hh:mm:ss) on; earlier\n"
           "                        bars are history, answered by getKLineData from onInit on\n"
           "  --end DATE            deliver bars up to DATE (a date: to the end of that day)\n"
           "  --cash N              the account's starting cash (default: 1000000)\n"
           "  --commission RATE     commission as a share of traded value, e.g. 0.0003 (default: 0)\n"
           "  --partial             let a bar fill at most its own volume, shared by the orders it\n"
           "                        matches in the order they were placed\n"
           "  --lot N               refuse buys that are not whole multiples of N shares (default: 1)\n"
           "  --slippage BPS        market orders fill BPS/10000 worse than the open (default: 0)\n"
           "  --risk-free RATE      yearly risk-free rate for the Sharpe and Sortino ratios, e.g. 0.02\n"
           "                        (default: 0)\n"
           "  --summary FILE.json   write the run's orders, fills, positions and figures\n"
           "  --report FILE.html    write a self-contained HTML report with charts\n"
           "  --params JSON         parameter values, e.g. '{\"window\":20,\"verbose\":true}'\n"
           "  --param NAME=VALUE    one parameter value (repeatable)\n"
           "  --account TYPE=ID     account id for an account type (stock, stock_margin, futures,\n"
           "                        open_fund, option); may be repeated (default: 880001 to 880005,\n"
           "                        in that order)\n"
           "  --instance ID         instance id of the running strategy (default: local-1)\n"
           "  --tick-length N       timer tick length in milliseconds when no bars are replayed\n"
           "                        (default: 1000)\n"
           "  --ticks N             without bars: timer ticks to deliver, one tick length apart from the\n"
           "                        current time on (default: 0)\n"
           "  --allow-errors        exit 0 even when a strategy callback threw\n"
           "  --callback-timeout S  stop the run when one callback takes longer (default: 60; 0: never)\n"
           "  --adapter PATH        adapter library (default: ../lib/libzqcxxadapter.so beside zqhost)\n"
           "  --schema-only         print the parameter schema and stop\n"
           "  --record FILE.jsonl   with --bars: write every notification delivered and every request\n"
           "                        the strategy made (FILE.jsonl.gz: gzip-compressed)\n"
           "  --replay FILE.jsonl   deliver a recorded run again and report the first request that differs\n"
           "  --faults PLAN         with --bars: make the host misbehave, e.g. reject=0.05,partial=0.2,\n"
           "                        report-delay=3,duplicate-report=0.02,query-fail=0.05,slow-call=0.01:200ms\n"
           "                        (docs/faults.md)\n"
           "  --fault-seed N        the seed of the fault plan's dice (default: 1)\n"
           "  --qt-echo             also show the library's Qt debug echo of log lines (standard error)\n"
           "  --log-level LEVEL     show log lines of this level and above: debug, info, warn, error\n"
           "                        (default: info)\n"
           "  --quiet               show warnings and errors only (--log-level warn)\n"
           "  --log FILE            write the log to FILE; the terminal shows the summary alone\n";
}

bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        bool ok = true;
        if (arg == "--adapter") {
            ok = value(options.adapterPath);
        } else if (arg == "--params") {
            ok = value(options.params);
        } else if (arg == "--param") {
            ok = value(text);
            options.paramSets.push_back(text);
        } else if (arg == "--instance") {
            ok = value(options.instanceId);
        } else if (arg == "--account") {
            ok = value(text) && parseAccount(text, options, error);
        } else if (arg == "--bars") {
            ok = value(text);
            options.barFiles.push_back(text);
        } else if (arg == "--period") {
            if ((ok = value(text)) && !(options.periodSeconds = zqhost::periodOf(text))) {
                error = "--period takes 1m, 5m, 15m, 30m, 60m or 1d, got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--start" || arg == "--end") {
            if ((ok = value(text)) && !parseBound(text, arg == "--end", arg == "--end" ? options.end : options.start)) {
                error = arg + " takes a date (yyyy-MM-dd) or a time (yyyy-MM-dd hh:mm:ss), got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--record") {
            ok = value(options.recordPath);
        } else if (arg == "--replay") {
            ok = value(options.replayPath);
        } else if (arg == "--summary") {
            ok = value(options.summaryPath);
        } else if (arg == "--report") {
            ok = value(options.reportPath);
        } else if (arg == "--cash") {
            if ((ok = value(text)) && !parseAmount(text, 0, 1e15, options.cash)) {
                error = "--cash takes an amount of at least 0, got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--commission") {
            if ((ok = value(text)) && !parseAmount(text, 0, 0.1, options.commission)) {
                error = "--commission takes a rate from 0 to 0.1, got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--lot") {
            if ((ok = value(text)) && !parseCount(text, 1, 1000000, options.lot)) {
                error = "--lot takes a whole number from 1 to 1000000, got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--slippage") {
            if ((ok = value(text)) && !parseAmount(text, 0, 1000, options.slippageBps)) {
                error = "--slippage takes basis points from 0 to 1000, got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--risk-free") {
            if ((ok = value(text)) && !parseAmount(text, -1, 1, options.riskFree)) {
                error = "--risk-free takes a yearly rate from -1 to 1, got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--tick-length") {
            if ((ok = value(text)) && !parseCount(text, 1, 86400000, options.tickLength)) {
                error = "--tick-length takes a positive whole number, got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--ticks") {
            if ((ok = value(text)) && !parseCount(text, 0, 1000000, options.ticks)) {
                error = "--ticks takes a whole number from 0 to 1000000, got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--callback-timeout") {
            if ((ok = value(text)) && !parseCount(text, 0, 86400, options.callbackTimeout)) {
                error = "--callback-timeout takes a whole number of seconds, got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--log-level") {
            if ((ok = value(text)) && !zqhost::parseLogLevel(text, options.logLevel)) {
                error = "--log-level takes debug, info, warn or error, got '" + text + "'";
                ok = false;
            }
        } else if (arg == "--quiet") {
            options.logLevel = zqhost::kLogWarn;
        } else if (arg == "--log") {
            ok = value(options.logPath);
        } else if (arg == "--faults") {
            ok = value(options.faults) && parseFaults(options, error);
        } else if (arg == "--fault-seed") {
            ok = value(text) && parseSeed(text, options, error);
        } else if (arg == "--partial") {
            options.partialFills = true;
        } else if (arg == "--allow-errors") {
            options.allowErrors = true;
        } else if (arg == "--schema-only") {
            options.schemaOnly = true;
        } else if (arg == "--qt-echo") {
            options.qtEcho = true;
        } else if (arg == "-h" || arg == "--help") {
            error.clear();
            return false;
        } else if (!arg.empty() && arg[0] == '-') {
            error = "unknown option " + arg;
            ok = false;
        } else if (options.strategyPath.empty()) {
            options.strategyPath = arg;
        } else {
            error = "only one strategy library may be given";
            ok = false;
        }
        if (!ok) return false;
    }
    if (options.start > options.end) {
        error = "--start is later than --end";
        return false;
    }
    if (options.strategyPath.empty()) {
        error = "no strategy library given";
        return false;
    }
    addDefaultAccounts(options);
    return checkFaultOptions(options, error);
}
