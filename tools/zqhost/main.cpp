// zqhost: runs one strategy library through the adapter on this machine, the
// way the trading client does: load the adapter, hand it the host services,
// read the strategy's parameter schema, run it, deliver market data and
// timer ticks, stop it, unload it. With --bars it replays history against a
// simulated account and reports the result.
#include <chrono>
#include <memory>
#include <cstdio>
#include <ctime>
#include <string>

#include "account.h"
#include "adapterlibrary.h"
#include "barcatalog.h"
#include "bars.h"
#include "barstream.h"
#include "callwatch.h"
#include "dataprovider.h"
#include "doctor.h"
#include "exitstatus.h"
#include "hostlog.h"
#include "interruption.h"
#include "faultyhost.h"
#include "localhost.h"
#include "market.h"
#include "options.h"
#include "outputfiles.h"
#include "params.h"
#include "hostos.h"
#include "replay.h"
#include "report.h"
#include "summary.h"
#include "sweepcommand.h"
#include "terminalsummary.h"
#include "tracerecorder.h"
#include "tracereplay.h"
#include "userhints.h"
#include "zq/clocksource.h"
#include "zq/hostcodes.h"
#include "zq/izqscriptadapter.h"
#include "os/os.h"

namespace {

using namespace zqhost;


void replayClock(char out[22], void* market) {
    writeHostTime(static_cast<const Market*>(market)->clock(), out);
    out[kHostTimeBytes] = '\0';
}

// "yyyyMMdd hh:mm:ss zzz" of the local time `offsetMs` from now.
std::string tickText(std::chrono::system_clock::time_point now, long long offsetMs) {
    auto at = now + std::chrono::milliseconds(offsetMs);
    std::time_t seconds = std::chrono::system_clock::to_time_t(at);
    long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count() % 1000;
    char text[32];
    size_t n = std::strftime(text, sizeof text, "%Y%m%d %H:%M:%S", std::localtime(&seconds));
    std::snprintf(text + n, sizeof text - n, " %03lld", ms);
    return text;
}

// Without bars: timer ticks one tick length apart from `start`, delivered at
// once; the tick texts carry the simulated time, which the host tells too.
void deliverTicks(zq::IZqScriptAdapter& adapter, const Options& options, LocalHost& host, CallWatch& watch,
                  std::chrono::system_clock::time_point start) {
    if (options.ticks == 0) return;
    for (int i = 1; i <= options.ticks && !interruptRequested(); ++i) {
        std::string text = tickText(start, static_cast<long long>(i) * options.tickLength);
        host.setSimulatedTime(text);
        zq::NotifyMessage tick{zq::kNotifyTimerTick, text.c_str()};
        watch.begin("the timer tick at " + text);
        adapter.OnNotifyMessage(&tick);
        watch.end();
    }
    hostLine(kLogInfo, "delivered %d timer ticks", options.ticks);
}

struct Session {
    zq::IZqScriptAdapter& adapter;
    const Options& options;
    LocalHost& host;
    CallWatch& watch;
    Market* market;       // null without bars
    SimAccount* account;  // null without bars
    ReplayTap* tap = nullptr;
    FaultyHost* faults = nullptr;  // null without --faults
    const BarCatalog* catalog = nullptr;  // null without bars
    BarStream* stream = nullptr;          // null without bars
};

// The values the strategy runs with: its declared defaults and the user's choices.
bool runParameters(Session& s, std::string& runParams, int& status) {
    std::string schema;
    if (s.adapter.GetStrategyParams(s.options.strategyPath.c_str(), schema) != zq::kResultOk) {
        status = fail("cannot load the strategy " + s.options.strategyPath + " (see the log above)");
        return false;
    }
    if (!s.host.callbackErrors().empty()) {
        const CallbackError& threw = s.host.callbackErrors().front();
        status = fail("the strategy's " + threw.callback + " threw: " + threw.exception, kExitStrategyErrors);
        return false;
    }
    hostLine(kLogInfo, "parameter schema: %s", schema.c_str());
    if (s.options.schemaOnly) return status = 0, false;
    std::string error;
    if (!buildRunParams(schema, s.options.params, s.options.paramSets, runParams, error)) {
        status = fail("bad parameters: " + error);
        return false;
    }
    return true;
}

// Interrupted first: the results of an interrupted run are partial,
// whatever else happened.
int exitStatus(const Session& s) {
    if (interruptRequested()) return kExitInterrupted;
    if (s.host.strategyErrors() > 0 && !s.options.allowErrors) return kExitStrategyErrors;
    return 0;
}

// The result files can be created, and none overwrites another or an input.
bool outputsUsable(const Options& options, int& status) {
    std::string error;
    std::vector<NamedFile> inputs{{"strategy library", options.strategyPath}};
    for (const std::string& path : options.barFiles) inputs.push_back({"--bars", path});
    if (!options.replayPath.empty()) inputs.push_back({"--replay", options.replayPath});
    if (!outputsAreDistinct({{"--summary", options.summaryPath},
                             {"--report", options.reportPath},
                             {"--record", options.recordPath},
                             {"--log", options.logPath}},
                            inputs, error)) {
        status = fail(error, kExitBadCommandLine);
        return false;
    }
    for (const NamedFile& result : {NamedFile{"--summary", options.summaryPath},
                                    NamedFile{"--report", options.reportPath}}) {
        if (!result.path.empty() && !canWriteResult(result, error)) {
            status = fail(error);
            return false;
        }
    }
    return true;
}

bool writeResults(const Session& s, const RunResult& result) {
    std::string error;
    if (!s.options.summaryPath.empty() && !writeSummary(result, s.options.summaryPath, error)) {
        fail("cannot write the summary: " + error);
        return false;
    }
    if (!s.options.reportPath.empty() && !writeReport(result, s.options.reportPath, error)) {
        fail("cannot write the report: " + error);
        return false;
    }
    return true;
}

// The closing summary, the result files and, when interrupted, where the
// run stopped. False when a result file could not be written.
bool reportReplay(const Session& s, const Replay& replay, const std::string& runParams, int status) {
    RunResult result = replay.result(s.options.strategyPath, s.options.cash);
    result.info = describeRun(s.options, runParams, ZQHOST_VERSION);
    result.info.exitStatus = status;
    result.info.callbackErrors = s.host.callbackErrors();
    result.info.interrupted = interruptRequested();
    result.info.reached = result.lastBar;
    if (s.faults) result.faults = s.faults->tally();
    result.riskFree = s.options.riskFree;
    std::fprintf(terminal(), "%s", terminalSummary(result).c_str());
    std::fflush(terminal());
    if (!writeResults(s, result)) return false;
    if (result.info.interrupted) {
        tellUser("interrupted at simulated time " + result.lastBar + " after " + std::to_string(replay.delivered()) +
                 " of " + std::to_string(replay.total()) + " bars; the results cover the run so far");
    }
    return true;
}

int runStrategy(Session& s) {
    int status = 0;
    std::string runParams;
    if (!runParameters(s, runParams, status)) return status;
    hostLine(kLogInfo, "running with parameters: %s", runParams.c_str());
    hostLine(kLogInfo, "accounts: %s", accountsText(s.options).c_str());
    auto start = std::chrono::system_clock::now();
    if (!s.market) s.host.setSimulatedTime(tickText(start, 0));
    std::unique_ptr<Replay> replay;
    std::string error;
    if (s.market) {
        replay = std::make_unique<Replay>(s.adapter, s.host, *s.catalog, *s.stream, *s.market, *s.account, s.watch);
        replay->setTap(s.tap);
        replay->setPushSource(s.faults);
        if (!replay->warmUp(error)) return fail(error);
    }
    const char* path = s.options.strategyPath.c_str();
    s.watch.begin("onInit");
    int32_t started = s.adapter.RunStrategy(path, runParams.c_str());
    s.watch.end();
    if (started != zq::kResultOk) return fail("cannot run the strategy " + s.options.strategyPath + " (see the log above)");
    bool replayed = true;
    if (replay) {
        replay->drain();
        replayed = replay->run(zqhost::os::isTerminal(stderr), error);
    } else {
        deliverTicks(s.adapter, s.options, s.host, s.watch, start);
    }
    s.watch.begin("onStop");
    s.adapter.StopStrategy();
    s.watch.end();
    if (replay) replay->drain();
    hostLine(kLogInfo, "strategy stopped");
    if (!replayed) return fail(error + " (the run stopped here; no result file written)");
    status = exitStatus(s);
    if (replay && !reportReplay(s, *replay, runParams, status)) return kExitFailure;
    if (!replay && interruptRequested()) tellUser("interrupted");
    if (status == kExitStrategyErrors) {
        fail(std::to_string(s.host.strategyErrors()) +
             " strategy callback(s) threw (see the log above); --allow-errors accepts that");
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "doctor") return runDoctor(argc - 1, argv + 1);
    if (argc > 1 && std::string(argv[1]) == "sweep") return runSweep(argc - 1, argv + 1);
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        if (!error.empty()) std::fprintf(stderr, "zqhost: %s\n", error.c_str());
        std::fputs(usageText(), error.empty() ? stdout : stderr);
        return error.empty() ? 0 : 2;
    }
    int status = 0;
    if (!outputsUsable(options, status)) return status;
    if (!startLog(options.logPath, options.logLevel, error)) return fail(error);
    watchPlatformRecords(hintFromRecord);
    if (!options.replayPath.empty()) return replayTrace(options);
    if (!zq::os::fileExists(options.strategyPath)) {
        return fail("strategy library not found: " + options.strategyPath);
    }
    BarCatalog catalog;
    catalog.paths = options.barFiles;
    catalog.start = options.start;
    catalog.end = options.end;
    catchInterruptions();
    if (!options.barFiles.empty() && !scanBarFiles(catalog, options.periodSeconds, error)) return fail(error);
    if (!options.barFiles.empty() && catalog.delivered == 0) {
        const Options unbounded;
        bool bounded = options.start != unbounded.start || options.end != unbounded.end;
        return fail(bounded ? "the bar files hold no bars from --start to --end" : "the bar files hold no bars");
    }
    BarStream stream;
    if (!options.barFiles.empty() && !stream.open(catalog, error)) return fail(error);
    if (interruptRequested()) return fail("interrupted before the run started", kExitInterrupted);

    // The host already prints every log line; the library's Qt debug echo of
    // them would show each twice.
    if (!options.qtEcho) zqhost::os::setEnvironmentDefault("QT_LOGGING_RULES", "default.debug=false");
    zqhost::os::pinSystemTimeZone();

    std::string adapterPath = options.adapterPath.empty() ? defaultAdapterPath() : options.adapterPath;
    AdapterLibrary opened;
    if (!openAdapter(adapterPath, opened, error)) return fail(error);
    zq::os::ModuleHandle library = opened.module;
    zq::IZqScriptAdapter* adapter = opened.adapter;

    Market market(catalog);
    std::unique_ptr<TraceRecorder> recorder;
    if (!options.recordPath.empty() && !(recorder = TraceRecorder::open(options, market, error))) return fail(error);
    const bool replaying = catalog.delivered > 0;
    decltype(&SetClockSource) setClockAtExit = nullptr;
    SimAccount account({options.cash, options.commission, options.partialFills, options.lot, options.slippageBps},
                       market.symbols());
    ReplayData data(market, account);
    if (replaying) {
        auto setClock = reinterpret_cast<decltype(&SetClockSource)>(zq::os::findSymbol(library, "SetClockSource"));
        if (!setClock) return fail("the library " + adapterPath + " cannot take a replayed clock (SetClockSource)");
        setClock(replayClock, &market);
        ZqDataAccessSetProvider(recorder ? recorder->wrap(data) : &data);
        setClockAtExit = setClock;
    }
    LocalHost host({options.accountIds, options.instanceId, options.tickLength}, replaying ? &market : nullptr,
                   replaying ? &account : nullptr);
    std::unique_ptr<FaultyHost> faults;
    if (!options.faults.empty()) {
        faults = std::make_unique<FaultyHost>(options.faultPlan, options.faultSeed, host, data, market, account);
        ZqDataProvider& faultyData = *faults;
        ZqDataAccessSetProvider(recorder ? recorder->wrap(faultyData) : &faultyData);
    }
    zq::HostServices& services = faults ? static_cast<zq::HostServices&>(*faults) : host;
    CallWatch watch(options.callbackTimeout);
    CallWatch::reportCrashes();
    if (!adapter->Init()) return fail("the adapter refused to initialise");
    adapter->SetHostServices(recorder ? recorder->wrap(services) : &services);
    Session session{*adapter, options, host, watch, replaying ? &market : nullptr, replaying ? &account : nullptr,
                    recorder.get(), faults.get(), &catalog, &stream};
    status = runStrategy(session);
    if (recorder && !recorder->finish(error)) status = fail(error);
    adapter->Uninit();
    if (setClockAtExit) setClockAtExit(nullptr, nullptr);
    ZqDataAccessSetProvider(nullptr);
    stopLog();
    // Like the trading client, keep the adapter mapped until the process
    // ends: its process-wide objects are released at exit.
    return status;
}
