#include "sweepcommand.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <set>
#include <thread>

#include "atomicfile.h"
#include "barsplit.h"
#include "childprocess.h"
#include "params.h"
#include "exitstatus.h"
#include "hostos.h"
#include "sweepoptions.h"
#include "sweeppage.h"
#include "sweeprunner.h"
#include "sweeptable.h"
#include "whereexpr.h"
#include "os/os.h"

namespace zqhost {

namespace {

constexpr int kShownRows = 5;

int sweepFail(const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "zqhost sweep: %s\n", message.c_str());
    return kExitFailure;
}

std::string absolute(const std::string& path) {
    return zq::os::absolutePath(path);
}

// The run options with absolute paths, without the library; `bars` (when
// not empty) replaces the bar files. `identity` gets the options that are
// not files, which the files' contents stand in for.
std::vector<std::string> runArgsWith(const std::vector<std::string>& given, const std::string& bars,
                                     std::vector<std::string>* identity) {
    std::vector<std::string> args;
    bool barsPlaced = false;
    for (std::size_t i = 0; i + 1 < given.size(); ++i) {
        const std::string& arg = given[i];
        if (arg == "--bars" && i + 2 < given.size()) {
            ++i;
            if (!bars.empty() && barsPlaced) continue;
            args.insert(args.end(), {"--bars", bars.empty() ? absolute(given[i]) : bars});
            barsPlaced = true;
        } else if (arg == "--adapter" && i + 2 < given.size()) {
            args.insert(args.end(), {arg, absolute(given[++i])});
        } else {
            args.push_back(arg);
            if (identity) identity->push_back(arg);
        }
    }
    return args;
}

// What GetStrategyParams gives, from a zqhost of its own: the adapter is
// loaded once per process, and the strategy must not run here.
bool readSchema(const std::string& exe, const SweepOptions& options, const std::string& dir, std::string& schema,
                std::string& error) {
    std::vector<std::string> args{exe, "--schema-only"};
    if (!options.run.adapterPath.empty()) args.insert(args.end(), {"--adapter", absolute(options.run.adapterPath)});
    args.push_back(absolute(options.run.strategyPath));
    const std::string log = dir + "/schema.log";
    QFile::remove(QString::fromStdString(log));
    if (startChild(args, log, error) < 0) return false;
    ChildExit exit = waitForChild();
    QFile file(QString::fromStdString(log));
    std::string text = file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
    const std::string marker = "[HOST] parameter schema: ";
    std::size_t at = text.find(marker);
    if (exit.status != 0 || at == std::string::npos) {
        error = "cannot read the strategy's parameter schema (exit status " + std::to_string(exit.status) + "), see " + log;
        return false;
    }
    schema = text.substr(at + marker.size(), text.find('\n', at) - at - marker.size());
    QFile::remove(QString::fromStdString(log));
    return true;
}

bool sweptParams(const SweepOptions& options, const std::string& schema, std::vector<SweptParam>& swept,
                 std::string& error) {
    std::set<std::string> names;
    for (const std::string& spec : options.grids) {
        SweptParam param;
        if (!parseGrid(spec, schema, param, error)) return false;
        if (!names.insert(param.name).second) return error = "--grid names '" + param.name + "' twice", false;
        for (const std::string& fixed : options.run.paramSets) {
            if (fixed.substr(0, fixed.find('=')) == param.name)
                return error = "'" + param.name + "' is both swept and fixed by --param", false;
        }
        if (QJsonDocument::fromJson(QByteArray::fromStdString(options.run.params)).object().contains(QString::fromStdString(param.name)))
            return error = "'" + param.name + "' is both swept and fixed by --params", false;
        // Each value as a run would take it, with the fixed choices.
        for (const std::string& value : param.values) {
            std::vector<std::string> choices = options.run.paramSets;
            choices.push_back(param.name + "=" + value);
            std::string runParams;
            if (!buildRunParams(schema, options.run.params, choices, runParams, error))
                return error = "--grid " + spec + ": " + error, false;
        }
        swept.push_back(param);
    }
    return true;
}

bool chooseSets(const SweepOptions& options, const std::vector<SweptParam>& swept, std::vector<ParamSet>& sets,
                std::string& error) {
    std::set<std::string> names;
    for (const SweptParam& p : swept) names.insert(p.name);
    WhereExpr where;
    if (!where.parse(options.where, names, error)) return false;
    auto keep = [&](const ParamSet& set) { return where.keeps(set); };
    if (options.random > 0) {
        sets = randomSets(swept, options.random, options.seed, keep);
    } else {
        for (const ParamSet& set : fullGrid(swept)) {
            if (keep(set)) sets.push_back(set);
        }
    }
    if (sets.empty()) return error = "no parameter set is left (see --where)", false;
    return true;
}

std::vector<SweepSet> makeSets(const std::vector<ParamSet>& params, const std::string& identity, Sample sample) {
    std::vector<SweepSet> sets;
    for (const ParamSet& p : params) sets.push_back(SweepSet{setId(identity, p), p, sample, ""});
    return sets;
}

bool writeSetFiles(const std::string& dir, const std::vector<SweepSet>& sets, std::string& error) {
    for (const SweepSet& set : sets) {
        if (!writeSetFile(dir, set, error)) return false;
    }
    return true;
}

std::vector<SweepSet> notRun(const std::string& dir, const std::vector<SweepSet>& sets) {
    std::vector<SweepSet> missing;
    for (const SweepSet& set : sets) {
        if (!readOutcome(dir, set.id).finished) missing.push_back(set);
    }
    return missing;
}

// The best `top` sets that finished, as the table ranks them.
std::vector<SweepSet> bestSets(const std::string& dir, const std::vector<SweepSet>& sets, const SweepOptions& options,
                               const std::string& identity) {
    SweepTable table = buildTable(dir, sets, options.metric);
    std::vector<SweepSet> best;
    for (const SweepRow& row : table.rows) {
        if (!row.run.done() || static_cast<int>(best.size()) >= options.top) continue;
        best.push_back(SweepSet{setId(identity, row.params), row.params, Sample::Out, row.run.id});
    }
    return best;
}

int writeTables(const std::string& dir, const std::vector<SweepSet>& sets, const std::string& metric) {
    SweepTable table = buildTable(dir, sets, metric);
    std::string error;
    if (!writeFileAtomically(dir + "/results.csv", resultsCsv(table), error) ||
        !writeFileAtomically(dir + "/results.json", resultsJson(table), error) ||
        !writeFileAtomically(dir + "/sweep.html", sweepPageHtml(table), error))
        return sweepFail(error);
    const FigureColumn& column = *figureColumn(metric);
    std::printf("%d sets done, %d failed, %d not run; ranked by %s\n", table.done, table.failed, table.missing, column.label);
    for (const SweepRow& row : table.rows) {
        if (row.rank == 0 || row.rank > kShownRows) continue;
        std::string params;
        for (const auto& [name, value] : row.params) params += " " + name + "=" + value;
        auto value = row.run.figures.at(metric);
        char number[32] = "n/a";
        if (value) std::snprintf(number, sizeof number, "%.6g", *value);
        std::printf("  #%d%s  %s %s\n", row.rank, params.c_str(), column.key, number);
    }
    std::printf("wrote %s/results.csv, results.json and sweep.html\n", dir.c_str());
    return table.done > 0 ? 0 : sweepFail("no set finished");
}

int collect(const SweepOptions& options) {
    std::string dir = absolute(options.collectDir);
    std::vector<SweepSet> sets = readSets(dir);
    if (sets.empty()) return sweepFail("no sets in " + dir + "/sets");
    return writeTables(dir, sets, options.metric);
}

int emitCommands(const RunPlan& plan, const std::vector<SweepSet>& missing, std::size_t total, const std::string& path) {
    std::string text;
    for (const SweepSet& set : missing) text += setShellCommand(plan, set) + "\n";
    std::string error;
    if (!writeFileAtomically(path, text, error)) return sweepFail(error);
    std::printf("wrote %zu commands to %s (%zu of %zu sets already run); run them, then: zqhost sweep --collect %s\n",
                missing.size(), path.c_str(), total - missing.size(), total, plan.sweepDir.c_str());
    return 0;
}

// The bars before `date` become the sweep's bar file, those from it on
// `outBars`, both in the folder's bars/.
bool splitAtDate(const std::string& dir, int32_t date, std::vector<std::string>& barFiles, std::string& outBars,
                 std::string& error) {
    const std::string stem = dir + "/bars/" + std::to_string(date);
    if (!QDir().mkpath(QString::fromStdString(dir + "/bars"))) return error = "cannot create " + dir + "/bars", false;
    if (!splitBars(barFiles, date, stem + "-before.csv", stem + "-from.csv", error)) return false;
    barFiles = {stem + "-before.csv"};
    outBars = stem + "-from.csv";
    return true;
}

// Runs the sets not run yet, or with --emit-commands writes their commands.
// False when the sweep ends here (commands written, or a failure), with its
// exit status in `status`.
bool runMissing(const RunPlan& plan, const std::vector<SweepSet>& sets, const SweepOptions& options, const char* what,
                int& status) {
    std::vector<SweepSet> missing = notRun(plan.sweepDir, sets);
    if (missing.empty()) return true;
    if (!options.emitPath.empty()) {
        status = emitCommands(plan, missing, sets.size(), absolute(options.emitPath));
        return false;
    }
    std::printf("running %zu of %zu sets%s, %d at once, in %s\n", missing.size(), sets.size(), what, plan.jobs,
                plan.sweepDir.c_str());
    std::fflush(stdout);
    std::string error;
    if (runSets(plan, missing, error) < 0) return status = sweepFail(error), false;
    return true;
}

}  // namespace

int runSweep(int argc, char** argv) {
    SweepOptions options;
    std::string error;
    if (!parseSweepOptions(argc, argv, options, error)) {
        if (!error.empty()) std::fprintf(stderr, "zqhost sweep: %s\n", error.c_str());
        std::fputs(sweepUsageText(), error.empty() ? stdout : stderr);
        return error.empty() ? 0 : kExitBadCommandLine;
    }
    if (!options.collectDir.empty()) return collect(options);

    RunPlan plan;
    plan.executable = selfExecutable();
    if (plan.executable.empty()) return sweepFail("cannot find this zqhost (/proc/self/exe)");
    plan.sweepDir = absolute(options.outDir);
    if (!QDir().mkpath(QString::fromStdString(plan.sweepDir))) return sweepFail("cannot create " + plan.sweepDir);
    plan.library = absolute(options.run.strategyPath);
    if (!zq::os::fileExists(plan.library)) return sweepFail("strategy library not found: " + plan.library);
    plan.reports = options.reports;
    plan.jobs = options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());

    std::string schema;
    std::vector<SweptParam> swept;
    std::vector<ParamSet> params;
    if (!readSchema(plan.executable, options, plan.sweepDir, schema, error)) return sweepFail(error);
    if (!sweptParams(options, schema, swept, error) || !chooseSets(options, swept, params, error)) {
        sweepFail(error);
        return kExitBadCommandLine;
    }

    std::vector<std::string> barFiles, others;
    std::string outBars, identity;
    const Sample first = options.splitDate ? Sample::In : Sample::Whole;
    for (const std::string& file : options.run.barFiles) barFiles.push_back(absolute(file));
    if (options.splitDate && !splitAtDate(plan.sweepDir, options.splitDate, barFiles, outBars, error)) return sweepFail(error);
    plan.runArgs[first] = runArgsWith(options.runArgs, options.splitDate ? barFiles[0] : "", &others);
    if (!runIdentity(barFiles, plan.library, others, identity, error)) return sweepFail(error);
    std::vector<SweepSet> sets = makeSets(params, identity, first);
    int status = 0;
    if (!writeSetFiles(plan.sweepDir, sets, error)) return sweepFail(error);
    if (!runMissing(plan, sets, options, "", status)) return status;
    if (options.splitDate) {
        std::string outIdentity;
        plan.runArgs[Sample::Out] = runArgsWith(options.runArgs, outBars, nullptr);
        if (!runIdentity({outBars}, plan.library, others, outIdentity, error)) return sweepFail(error);
        std::vector<SweepSet> best = bestSets(plan.sweepDir, sets, options, outIdentity);
        if (!writeSetFiles(plan.sweepDir, best, error)) return sweepFail(error);
        if (!runMissing(plan, best, options, " out of sample", status)) return status;
        sets.insert(sets.end(), best.begin(), best.end());
    }
    if (!options.emitPath.empty()) std::printf("every set has run; nothing to write to %s\n", options.emitPath.c_str());
    return writeTables(plan.sweepDir, sets, options.metric);
}

}  // namespace zqhost
