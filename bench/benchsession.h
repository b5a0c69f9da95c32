// The bench strategy library running under a fake host with a stock account,
// and the context its onInit received, for benchmarks that act as a
// strategy does.
#pragma once

#include "fakehost.h"
#include "norq/izqcontext.h"
#include "platform/platform.h"
#include "zq/izqscriptadapter.h"

class BenchSession {
public:
    BenchSession() {
        host.accountIds = {{"stock", "880001"}};
        getAdapter()->SetHostServices(&host);
        getAdapter()->RunStrategy(BENCH_STRATEGY_PATH, "{}");
        library_ = zq::platform::loadLibrary(BENCH_STRATEGY_PATH);
        using ContextFn = Norq::IZqContext* (*)();
        auto contextOf = reinterpret_cast<ContextFn>(zq::platform::findSymbol(library_, "benchContext"));
        context = contextOf ? contextOf() : nullptr;
    }
    ~BenchSession() {
        getAdapter()->Uninit();
        getAdapter()->SetHostServices(nullptr);
        zq::platform::freeLibrary(library_);
    }
    BenchSession(const BenchSession&) = delete;
    BenchSession& operator=(const BenchSession&) = delete;

    fake::FakeHost host;
    Norq::IZqContext* context = nullptr;

private:
    zq::platform::ModuleHandle library_ = nullptr;
};
