#include "options.h"

#include <cstdlib>
#include <cstring>

const char* usageText() {
    return "usage: zqhost [options] STRATEGY_LIBRARY\n"
           "  --adapter PATH       adapter library (default: ../lib/libzqcxxadapter.so beside zqhost)\n"
           "  --params JSON        running-parameter values (default: {})\n"
           "  --account TYPE=ID    account id for an account type (stock, stock_margin, futures,\n"
           "                       open_fund, option); may be repeated\n"
           "  --instance ID        instance id of the running strategy (default: local-1)\n"
           "  --tick-length N      timer tick length in milliseconds (default: 1000)\n"
           "  --ticks N            timer ticks to deliver while the strategy runs, one tick length\n"
           "                       apart from the current time on (default: 0)\n"
           "  --schema-only        print the parameter schema and stop\n"
           "  --qt-echo            also show the library's Qt debug echo of log lines (standard error)\n";
}

namespace {

// A whole number from `low` to `high`, nothing else in the text.
bool parseCount(const std::string& text, long low, long high, int& out) {
    char* end = nullptr;
    long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || n < low || n > high) return false;
    out = static_cast<int>(n);
    return true;
}

}  // namespace

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
        if (arg == "--adapter") {
            if (!value(options.adapterPath)) return false;
        } else if (arg == "--params") {
            if (!value(options.params)) return false;
        } else if (arg == "--instance") {
            if (!value(options.instanceId)) return false;
        } else if (arg == "--account") {
            if (!value(text)) return false;
            size_t eq = text.find('=');
            if (eq == std::string::npos || eq == 0) {
                error = "--account takes TYPE=ID, got '" + text + "'";
                return false;
            }
            options.accountIds[text.substr(0, eq)] = text.substr(eq + 1);
        } else if (arg == "--tick-length") {
            if (!value(text)) return false;
            if (!parseCount(text, 1, 86400000, options.tickLength)) {
                error = "--tick-length takes a positive whole number, got '" + text + "'";
                return false;
            }
        } else if (arg == "--ticks") {
            if (!value(text)) return false;
            if (!parseCount(text, 0, 1000000, options.ticks)) {
                error = "--ticks takes a whole number from 0 to 1000000, got '" + text + "'";
                return false;
            }
        } else if (arg == "--schema-only") {
            options.schemaOnly = true;
        } else if (arg == "--qt-echo") {
            options.qtEcho = true;
        } else if (arg == "-h" || arg == "--help") {
            error.clear();
            return false;
        } else if (!arg.empty() && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else if (options.strategyPath.empty()) {
            options.strategyPath = arg;
        } else {
            error = "only one strategy library may be given";
            return false;
        }
    }
    if (options.strategyPath.empty()) {
        error = "no strategy library given";
        return false;
    }
    return true;
}
