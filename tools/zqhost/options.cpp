#include "options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "barcatalog.h"
#include "bars.h"

namespace {

const char* const kAccountTypes[] = {"stock", "stock_margin", "futures", "open_fund", "option"};

// A whole number from `low` to `high`, nothing else in the text.
bool parseCount(const std::string& text, long low, long high, int& out) {
    char* end = nullptr;
    long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || n < low || n > high) return false;
    out = static_cast<int>(n);
    return true;
}

bool parseAmount(const std::string& text, double low, double high, double& out) {
    char* end = nullptr;
    double n = std::strtod(text.c_str(), &end);
    if (text.empty() || *end || !(n >= low && n <= high)) return false;
    out = n;
    return true;
}

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

}  // namespace

const char* usageText() {
    return "usage: zqhost [options] STRATEGY_LIBRARY\n"
           "       zqhost doctor [--adapter PATH] STRATEGY_LIBRARY   say whether it would load and run, and why not\n"
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
           "  --partial             let a bar fill at most its own volume\n"
           "  --summary FILE.json   write the run's orders, fills, positions and figures\n"
           "  --report FILE.html    write a self-contained HTML report with charts\n"
           "  --params JSON         parameter values, e.g. '{\"window\":20,\"verbose\":true}'\n"
           "  --param NAME=VALUE    one parameter value (repeatable)\n"
           "  --account TYPE=ID     account id for an account type (stock, stock_margin, futures,\n"
           "                        open_fund, option); may be repeated\n"
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
           "  --qt-echo             also show the library's Qt debug echo of log lines (standard error)\n";
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
    return true;
}
