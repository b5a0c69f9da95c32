#include "sweepoptions.h"

#include "numberarg.h"

#include <cstdlib>
#include <map>

#include "bars.h"
#include "sweeptable.h"

namespace zqhost {

namespace {


// Each run's options must leave the result files to the sweep.
bool checkRunOptions(SweepOptions& options, std::string& error) {
    for (const std::string& arg : options.runArgs) {
        for (const char* own : {"--summary", "--report", "--record", "--replay", "--schema-only", "--ticks"}) {
            if (arg == own) return error = std::string(own) + " cannot be given to a sweep: it writes each run's files", false;
        }
    }
    std::vector<std::string> args{"zqhost"};
    args.insert(args.end(), options.runArgs.begin(), options.runArgs.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    if (!parseOptions(static_cast<int>(argv.size()), argv.data(), options.run, error)) {
        if (error.empty()) error = "--help is for zqhost, not each run of a sweep";
        return false;
    }
    if (options.runArgs.back() != options.run.strategyPath)
        return error = "the strategy library must come last", false;
    if (options.run.barFiles.empty()) return error = "a sweep needs --bars", false;
    return true;
}

}  // namespace

const char* sweepUsageText() {
    return "usage: zqhost sweep [sweep options] [run options] STRATEGY_LIBRARY\n"
           "       zqhost sweep --collect DIR [--metric NAME]\n"
           "Runs the replay once per parameter set, each in a zqhost process of its own, and ranks the sets.\n"
           "Run options are zqhost's (--bars, --account, --cash, --commission, --partial, --risk-free,\n"
           "--callback-timeout, --param and --params for values that stay fixed, ...) and go to every run.\n"
           "  --grid NAME=VALUES    a swept parameter (repeatable), checked against the strategy's schema:\n"
           "                        whole numbers 3..10 or 10..60:5, numbers 0.1..0.5:0.1, lists a,b,c,\n"
           "                        bools true,false\n"
           "  --random N            run N sets drawn from the ranges instead of the whole grid\n"
           "  --seed S              the draw's seed (default: 1)\n"
           "  --where EXPR          keep only the sets for which EXPR holds, e.g.\n"
           "                        'short_window<long_window and (period==kline_1m or long_window<40)'\n"
           "  --jobs N              runs at once (default: the number of cores)\n"
           "  --out DIR             the sweep's folder (required): results.csv, results.json, sweep.html and\n"
           "                        sets/ID/ with each run's summary, log and exit status. Run again with\n"
           "                        the same folder and only the sets not run yet run\n"
           "  --metric NAME         what ranks the sets (default: sharpe; higher is better, lower for\n"
           "                        maxDrawdown, longestDrawdownBars, volatility and commission); one of\n"
           "                        the figures in docs/figures.md\n"
           "  --reports             also write each run's HTML report\n"
           "  --split YYYY-MM-DD    sweep over the bars before the date, then run the best --top sets over\n"
           "                        the bars from the date on and show both\n"
           "  --top K               sets run out of sample with --split (default: 3)\n"
           "  --emit-commands FILE  write one shell command per set not run yet instead of running them\n"
           "                        (for GNU parallel or a batch scheduler), then --collect\n"
           "  --collect DIR         build the tables and page from the runs in DIR\n";
}

bool parseSweepOptions(int argc, char** argv, SweepOptions& options, std::string& error) {
    std::string splitText;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return error = arg + " needs a value", false;
            out = argv[++i];
            return true;
        };
        std::string text;
        bool ok = true;
        if (arg == "-h" || arg == "--help") {
            error.clear();
            return false;
        } else if (arg == "--grid") {
            ok = value(text);
            options.grids.push_back(text);
        } else if (arg == "--random") {
            if ((ok = value(text)) && !parseCount(text, 1, 1000000, options.random))
                ok = false, error = "--random takes a whole number from 1 to 1000000, got '" + text + "'";
        } else if (arg == "--seed") {
            char* end = nullptr;
            if ((ok = value(text)) && ((options.seed = std::strtoull(text.c_str(), &end, 10)), text.empty() || *end))
                ok = false, error = "--seed takes a whole number, got '" + text + "'";
        } else if (arg == "--where") {
            ok = value(options.where);
        } else if (arg == "--jobs") {
            if ((ok = value(text)) && !parseCount(text, 1, 1024, options.jobs))
                ok = false, error = "--jobs takes a whole number from 1 to 1024, got '" + text + "'";
        } else if (arg == "--out") {
            ok = value(options.outDir);
        } else if (arg == "--metric") {
            if ((ok = value(options.metric)) && !figureColumn(options.metric))
                ok = false, error = "--metric: no figure is named '" + options.metric + "' (see docs/figures.md)";
        } else if (arg == "--reports") {
            options.reports = true;
        } else if (arg == "--emit-commands") {
            ok = value(options.emitPath);
        } else if (arg == "--collect") {
            ok = value(options.collectDir);
        } else if (arg == "--split") {
            int64_t stamp = 0, seconds = 0;
            if ((ok = value(splitText)) && (splitText.size() != 10 || !parseStamp(splitText, stamp, seconds)))
                ok = false, error = "--split takes a date YYYY-MM-DD, got '" + splitText + "'";
            options.splitDate = static_cast<int32_t>(stamp / 1000000);
        } else if (arg == "--top") {
            if ((ok = value(text)) && !parseCount(text, 1, 100000, options.top))
                ok = false, error = "--top takes a positive whole number, got '" + text + "'";
        } else {
            options.runArgs.push_back(arg);
        }
        if (!ok) return false;
    }
    if (!options.collectDir.empty()) {
        if (!options.runArgs.empty() || !options.grids.empty())
            return error = "--collect takes only the folder and --metric", false;
        return true;
    }
    if (options.outDir.empty()) return error = "a sweep needs --out DIR", false;
    if (options.grids.empty()) return error = "a sweep needs at least one --grid", false;
    if (options.runArgs.empty()) return error = "no strategy library given", false;
    return checkRunOptions(options, error);
}

}  // namespace zqhost
