#include "tracereplay.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>

#include "adapterlibrary.h"
#include "exitstatus.h"
#include "hostlog.h"
#include "localhost.h"
#include "params.h"
#include "replayhost.h"
#include "zq/clocksource.h"
#include "hostos.h"
#include "os/os.h"

namespace zqhost {

namespace {


std::string fileName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The library's clock reads the simulated time of the step being replayed.
void recordedClock(char out[22], void* at) {
    std::snprintf(out, 22, "%s", static_cast<const std::string*>(at)->c_str());
}

// The recorded choices, the user's on top.
bool runParameters(const Options& options, const QJsonObject& header, const std::string& schema,
                   std::string& runParams, std::string& error) {
    QJsonObject chosen = QJsonDocument::fromJson(header.value("params").toString().toUtf8()).object();
    if (!options.params.empty()) {
        QJsonDocument given = QJsonDocument::fromJson(QByteArray::fromStdString(options.params));
        if (!given.isObject()) return error = "--params is not a JSON object", false;
        const QJsonObject object = given.object();
        for (auto it = object.begin(); it != object.end(); ++it) chosen.insert(it.key(), it.value());
    }
    std::vector<std::string> sets;
    for (const QJsonValue& set : header.value("param").toArray()) sets.push_back(set.toString().toStdString());
    sets.insert(sets.end(), options.paramSets.begin(), options.paramSets.end());
    std::string json = QJsonDocument(chosen).toJson(QJsonDocument::Compact).toStdString();
    return buildRunParams(schema, json, sets, runParams, error);
}

void deliver(zq::IZqScriptAdapter& adapter, const TraceLine& line, const OrderIdMap& ids) {
    std::vector<uint8_t> row = line.row;
    ids.toCurrent(row);
    std::string text = ids.toCurrent(line.object.value("text").toString().toStdString());
    zq::NotifyMessage message{static_cast<uint32_t>(line.object.value("id").toDouble()),
                              row.empty() ? static_cast<const void*>(text.c_str()) : row.data()};
    adapter.OnNotifyMessage(&message);
}

// Delivers the steps until the closing line or the first difference; the
// strategy is stopped either way.
int deliverSteps(zq::IZqScriptAdapter& adapter, ReplayHost& host, std::string& clock, const Trace& trace) {
    size_t delivered = 0;
    bool stopped = false;
    while (const TraceLine* step = host.nextStep()) {
        if (step->kind == TraceLine::Kind::End) break;
        clock = step->object.value("at").toString().toStdString();
        if (step->kind == TraceLine::Kind::Stop) {
            adapter.StopStrategy();
            stopped = true;
        } else {
            deliver(adapter, *step, host.ids());
            ++delivered;
        }
    }
    if (!stopped) adapter.StopStrategy();
    if (const auto& difference = host.difference()) {
        return fail(trace.path + ":" + std::to_string(difference->line) +
                        ": the strategy no longer does what it did when this was recorded,\n  " +
                        difference->during + "\n  recorded: " +
                        difference->recorded + "\n  now:      " + difference->now,
                    kExitDiffers);
    }
    hostLine(kLogInfo, "replayed %zu notifications from %s: the strategy made every recorded call again, and no other",
             delivered, trace.path.c_str());
    return 0;
}

int replay(zq::IZqScriptAdapter& adapter, ReplayHost& host, std::string& clock, const Trace& trace,
           const Options& options) {
    std::string schema, runParams, error;
    const char* path = options.strategyPath.c_str();
    if (adapter.GetStrategyParams(path, schema) != zq::kResultOk) {
        return fail("cannot load the strategy " + options.strategyPath + " (see the log above)");
    }
    if (!runParameters(options, trace.lines.front().object, schema, runParams, error)) {
        return fail("bad parameters: " + error);
    }
    hostLine(kLogInfo, "replaying %s with parameters: %s", trace.path.c_str(), runParams.c_str());
    if (adapter.RunStrategy(path, runParams.c_str()) != zq::kResultOk) {
        return fail("cannot run the strategy " + options.strategyPath + " (see the log above)");
    }
    return deliverSteps(adapter, host, clock, trace);
}

}  // namespace

int replayTrace(const Options& options) {
    if (!options.barFiles.empty() || !options.recordPath.empty()) {
        return fail("--replay delivers what the trace holds: leave out --bars and --record", kExitBadCommandLine);
    }
    if (!zq::os::fileExists(options.strategyPath)) {
        return fail("strategy library not found: " + options.strategyPath);
    }
    Trace trace;
    std::string error;
    if (!readTrace(options.replayPath, fileName(options.strategyPath), trace, error)) return fail(error);
    if (!options.qtEcho) zqhost::os::setEnvironmentDefault("QT_LOGGING_RULES", "default.debug=false");
    AdapterLibrary library;
    std::string adapterPath = options.adapterPath.empty() ? defaultAdapterPath() : options.adapterPath;
    if (!openAdapter(adapterPath, library, error)) return fail(error);
    auto setClock =
        reinterpret_cast<decltype(&SetClockSource)>(zq::os::findSymbol(library.module, "SetClockSource"));
    if (!setClock) return fail("the library " + adapterPath + " cannot take a replayed clock (SetClockSource)");

    if (!library.adapter->Init()) return fail("the adapter refused to initialise");
    std::string clock = trace.lines.front().object.value("at").toString().toStdString();
    setClock(recordedClock, &clock);
    LocalHost logs({}, nullptr, nullptr);
    ReplayHost host(trace, logs);
    ZqDataAccessSetProvider(&host);
    library.adapter->SetHostServices(&host);
    int status = replay(*library.adapter, host, clock, trace, options);
    library.adapter->Uninit();
    setClock(nullptr, nullptr);
    ZqDataAccessSetProvider(nullptr);
    return status;
}

}  // namespace zqhost
