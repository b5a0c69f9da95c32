// zqhost: runs one strategy library through the adapter on this machine, the
// way the trading client does: load the adapter, hand it the host services,
// read the strategy's parameter schema, run it, stop it, unload it.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "consolehost.h"
#include "options.h"
#include "platform/platform.h"
#include "zq/izqscriptadapter.h"

namespace {

constexpr uint32_t kTimerTick = 1004;

std::string defaultAdapterPath() {
#if defined(_WIN32)
    return zq::platform::executableDir() + "/zqcxxadapter.dll";
#else
    return zq::platform::executableDir() + "/../lib/libzqcxxadapter.so";
#endif
}

int fail(const std::string& message) {
    std::fprintf(stderr, "zqhost: %s\n", message.c_str());
    return 1;
}

// The local time of day `offsetMs` from now as the host stamps its ticks:
// "yyyyMMdd hh:mm:ss zzz".
std::string tickText(std::chrono::system_clock::time_point now, long long offsetMs) {
    auto at = now + std::chrono::milliseconds(offsetMs);
    std::time_t seconds = std::chrono::system_clock::to_time_t(at);
    long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count() % 1000;
    char text[32];
    size_t n = std::strftime(text, sizeof text, "%Y%m%d %H:%M:%S", std::localtime(&seconds));
    std::snprintf(text + n, sizeof text - n, " %03lld", ms);
    return text;
}

// Timer ticks as the trading client sends them, one tick length apart. They
// are delivered at once: the tick texts carry the simulated time.
void deliverTicks(zq::IZqScriptAdapter& adapter, const Options& options) {
    if (options.ticks == 0) return;
    auto now = std::chrono::system_clock::now();
    for (int i = 1; i <= options.ticks; ++i) {
        std::string text = tickText(now, static_cast<long long>(i) * options.tickLength);
        zq::NotifyMessage tick{kTimerTick, text.c_str()};
        adapter.OnNotifyMessage(&tick);
    }
    std::printf("[HOST] delivered %d timer ticks\n", options.ticks);
}

int runStrategy(zq::IZqScriptAdapter& adapter, const Options& options) {
    const char* path = options.strategyPath.c_str();
    std::string schema;
    if (adapter.GetStrategyParams(path, schema) != zq::kResultOk) {
        return fail("cannot load the strategy " + options.strategyPath + " (see the log above)");
    }
    std::printf("[HOST] parameter schema: %s\n", schema.c_str());
    if (options.schemaOnly) return 0;

    std::printf("[HOST] running with parameters: %s\n", options.params.c_str());
    if (adapter.RunStrategy(path, options.params.c_str()) != zq::kResultOk) {
        return fail("cannot run the strategy " + options.strategyPath + " (see the log above)");
    }
    deliverTicks(adapter, options);
    adapter.StopStrategy();
    std::printf("[HOST] strategy stopped\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        if (!error.empty()) std::fprintf(stderr, "zqhost: %s\n", error.c_str());
        std::fputs(usageText(), error.empty() ? stdout : stderr);
        return error.empty() ? 0 : 2;
    }
    if (!zq::platform::fileExists(options.strategyPath)) {
        return fail("strategy library not found: " + options.strategyPath);
    }

    // The host already prints every log line; the library's Qt debug echo of
    // them would show each twice.
    if (!options.qtEcho) zq::platform::setEnvironmentDefault("QT_LOGGING_RULES", "default.debug=false");

    std::string adapterPath = options.adapterPath.empty() ? defaultAdapterPath() : options.adapterPath;
    zq::platform::ModuleHandle library = zq::platform::loadLibrary(zq::platform::absolutePath(adapterPath));
    if (!library) {
        return fail("cannot load the adapter " + adapterPath + ": " + zq::platform::lastErrorText());
    }
    auto getAdapter = reinterpret_cast<zq::GetAdapterFn>(zq::platform::findSymbol(library, "getAdapter"));
    zq::IZqScriptAdapter* adapter = getAdapter ? getAdapter() : nullptr;
    if (!adapter) {
        zq::platform::freeLibrary(library);
        return fail("the library " + adapterPath + " offers no adapter (getAdapter)");
    }

    ConsoleHost host(options.accountIds, options.instanceId, options.tickLength);
    if (!adapter->Init()) return fail("the adapter refused to initialise");
    adapter->SetHostServices(&host);
    int status = runStrategy(*adapter, options);
    adapter->Uninit();
    // Like the trading client, keep the adapter mapped until the process
    // ends: its process-wide objects are released at exit.
    return status;
}
