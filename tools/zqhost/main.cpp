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
#include "bars.h"
#include "callwatch.h"
#include "dataprovider.h"
#include "doctor.h"
#include "localhost.h"
#include "market.h"
#include "options.h"
#include "params.h"
#include "hostos.h"
#include "replay.h"
#include "report.h"
#include "summary.h"
#include "terminalsummary.h"
#include "tracerecorder.h"
#include "tracereplay.h"
#include "zq/clocksource.h"
#include "zq/hostcodes.h"
#include "zq/izqscriptadapter.h"
#include "zqloglib.h"

namespace {

using namespace zqhost;

constexpr int kExitFailure = 1;
constexpr int kExitStrategyErrors = 3;

int fail(const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "zqhost: %s\n", message.c_str());
    return kExitFailure;
}

// The platform logger's records join the host's stream, in order.
void platformRecordToStdout(const ZqLogRecord& r, void*) {
    static const char* const names[] = {"DEBUG", "INFO", "WARN", "ERROR"};
    std::printf("[%s] %s %s %s: %s\n", r.level >= 0 && r.level < 4 ? names[r.level] : "LOG", r.module, r.file,
                r.function, r.text);
    std::fflush(stdout);
}

void replayClock(char out[22], void* market) {
    std::snprintf(out, 22, "%s", hostTime(static_cast<const Market*>(market)->now()).c_str());
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

// Without bars: timer ticks one tick length apart, delivered at once; the
// tick texts carry the simulated time.
void deliverTicks(zq::IZqScriptAdapter& adapter, const Options& options, CallWatch& watch) {
    if (options.ticks == 0) return;
    auto now = std::chrono::system_clock::now();
    for (int i = 1; i <= options.ticks; ++i) {
        std::string text = tickText(now, static_cast<long long>(i) * options.tickLength);
        zq::NotifyMessage tick{zq::kNotifyTimerTick, text.c_str()};
        watch.begin("the timer tick at " + text);
        adapter.OnNotifyMessage(&tick);
        watch.end();
    }
    std::printf("[HOST] delivered %d timer ticks\n", options.ticks);
}

struct Session {
    zq::IZqScriptAdapter& adapter;
    const Options& options;
    LocalHost& host;
    CallWatch& watch;
    Market* market;       // null without bars
    SimAccount* account;  // null without bars
    ReplayTap* tap = nullptr;
};

// The values the strategy runs with: its declared defaults and the user's choices.
bool runParameters(Session& s, std::string& runParams, int& status) {
    std::string schema;
    if (s.adapter.GetStrategyParams(s.options.strategyPath.c_str(), schema) != zq::kResultOk) {
        status = fail("cannot load the strategy " + s.options.strategyPath + " (see the log above)");
        return false;
    }
    std::printf("[HOST] parameter schema: %s\n", schema.c_str());
    if (s.options.schemaOnly) return status = 0, false;
    std::string error;
    if (!buildRunParams(schema, s.options.params, s.options.paramSets, runParams, error)) {
        status = fail("bad parameters: " + error);
        return false;
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

int runStrategy(Session& s) {
    int status = 0;
    std::string runParams;
    if (!runParameters(s, runParams, status)) return status;
    std::printf("[HOST] running with parameters: %s\n", runParams.c_str());
    const char* path = s.options.strategyPath.c_str();
    s.watch.begin("onInit");
    int32_t started = s.adapter.RunStrategy(path, runParams.c_str());
    s.watch.end();
    if (started != zq::kResultOk) return fail("cannot run the strategy " + s.options.strategyPath + " (see the log above)");
    std::unique_ptr<Replay> replay;
    if (s.market) {
        replay = std::make_unique<Replay>(s.adapter, s.host, *s.market, *s.account, s.watch);
        replay->setTap(s.tap);
        replay->drain();
        replay->run(zqhost::os::stderrIsTerminal());
    } else {
        deliverTicks(s.adapter, s.options, s.watch);
    }
    s.watch.begin("onStop");
    s.adapter.StopStrategy();
    s.watch.end();
    if (replay) replay->drain();
    std::printf("[HOST] strategy stopped\n");
    if (replay) {
        RunResult result = replay->result(s.options.strategyPath, s.options.cash);
        std::printf("%s", terminalSummary(result).c_str());
        if (!writeResults(s, result)) return kExitFailure;
    }
    if (s.host.strategyErrors() > 0 && !s.options.allowErrors) {
        fail(std::to_string(s.host.strategyErrors()) +
             " strategy callback(s) threw (see the log above); --allow-errors accepts that");
        return kExitStrategyErrors;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "doctor") return runDoctor(argc - 1, argv + 1);
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        if (!error.empty()) std::fprintf(stderr, "zqhost: %s\n", error.c_str());
        std::fputs(usageText(), error.empty() ? stdout : stderr);
        return error.empty() ? 0 : 2;
    }
    if (!options.replayPath.empty()) return replayTrace(options);
    if (!zqhost::os::fileExists(options.strategyPath)) {
        return fail("strategy library not found: " + options.strategyPath);
    }
    std::vector<Bar> bars;
    if (!options.barFiles.empty() && !readBarFiles(options.barFiles, bars, error)) return fail(error);
    if (!options.barFiles.empty() && bars.empty()) return fail("the bar files hold no bars");

    // The host already prints every log line; the library's Qt debug echo of
    // them would show each twice.
    if (!options.qtEcho) zqhost::os::setEnvironmentDefault("QT_LOGGING_RULES", "default.debug=false");
    ZqLogLib::GetInstance().SetSink(platformRecordToStdout, nullptr);

    std::string adapterPath = options.adapterPath.empty() ? defaultAdapterPath() : options.adapterPath;
    AdapterLibrary opened;
    if (!openAdapter(adapterPath, opened, error)) return fail(error);
    zqhost::os::ModuleHandle library = opened.module;
    zq::IZqScriptAdapter* adapter = opened.adapter;

    Market market(std::move(bars));
    std::unique_ptr<TraceRecorder> recorder;
    if (!options.recordPath.empty() && !(recorder = TraceRecorder::open(options, market, error))) return fail(error);
    const bool replaying = !market.bars().empty();
    decltype(&SetClockSource) setClockAtExit = nullptr;
    SimAccount account({options.cash, options.commission, options.partialFills}, market.symbols());
    ReplayData data(market, account);
    if (replaying) {
        auto setClock = reinterpret_cast<decltype(&SetClockSource)>(zqhost::os::findSymbol(library, "SetClockSource"));
        if (!setClock) return fail("the library " + adapterPath + " cannot take a replayed clock (SetClockSource)");
        setClock(replayClock, &market);
        ZqDataAccessSetProvider(recorder ? recorder->wrap(data) : &data);
        setClockAtExit = setClock;
    }
    LocalHost host({options.accountIds, options.instanceId, options.tickLength}, replaying ? &market : nullptr,
                   replaying ? &account : nullptr);
    CallWatch watch(options.callbackTimeout);
    CallWatch::reportCrashes();
    if (!adapter->Init()) return fail("the adapter refused to initialise");
    adapter->SetHostServices(recorder ? recorder->wrap(host) : &host);
    Session session{*adapter, options, host, watch, replaying ? &market : nullptr, replaying ? &account : nullptr,
                    recorder.get()};
    int status = runStrategy(session);
    if (recorder && !recorder->finish(error)) status = fail(error);
    adapter->Uninit();
    if (setClockAtExit) setClockAtExit(nullptr, nullptr);
    ZqDataAccessSetProvider(nullptr);
    ZqLogLib::GetInstance().SetSink(nullptr, nullptr);
    // Like the trading client, keep the adapter mapped until the process
    // ends: its process-wide objects are released at exit.
    return status;
}
