// The bench strategy library running under a fake host with a stock account,
// and the context its onInit received, for benchmarks that act as a
// strategy does.
#pragma once

#include "fakehost.h"
#include "norq/izqcontext.h"
#include "os/os.h"
#include "zq/izqscriptadapter.h"

class BenchSession {
public:
    BenchSession() {
        host.accountIds = {{"stock", "880001"}};
        getAdapter()->SetHostServices(&host);
        // Operate mode 0: the strategy's current time is the library's clock.
        getAdapter()->RunStrategy(BENCH_STRATEGY_PATH, R"({"operate_mode":"0"})");
        library_ = zq::os::loadLibrary(BENCH_STRATEGY_PATH);
        using ContextFn = Norq::IZqContext* (*)();
        auto contextOf = reinterpret_cast<ContextFn>(zq::os::findSymbol(library_, "benchContext"));
        context = contextOf ? contextOf() : nullptr;
    }
    ~BenchSession() {
        getAdapter()->Uninit();
        getAdapter()->SetHostServices(nullptr);
        zq::os::freeLibrary(library_);
    }
    BenchSession(const BenchSession&) = delete;
    BenchSession& operator=(const BenchSession&) = delete;

    fake::FakeHost host;
    Norq::IZqContext* context = nullptr;

private:
    zq::os::ModuleHandle library_ = nullptr;
};
