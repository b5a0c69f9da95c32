// The adapter object the host drives. Exactly one exists, statically
// allocated and never destroyed; getAdapter() hands out its address. It owns
// the loaded strategy library (not the handler the library returns) and is
// the only place where host calls turn into strategy calls. The host calls
// it one operation at a time; it takes no locks. Its fields are touched only
// from those calls; the host pointer other threads read lives in HostChannel.
#pragma once

#include "norq/istrategyhandler.h"
#include "os/os.h"
#include "zq/izqscriptadapter.h"

class ZqCxxAdapter final : public zq::IZqScriptAdapter {
public:
    constexpr ZqCxxAdapter() = default;

    void SetHostServices(zq::HostServices* host) override;
    bool Init() override;
    bool Uninit() override;
    int32_t GetStrategyParams(const char* path, std::string& out) override;
    int32_t RunStrategy(const char* path, const char* params) override;
    int32_t StopStrategy() override;
    int32_t Reserved6() override;
    int32_t Reserved7() override;
    int32_t OnNotifyMessage(const zq::NotifyMessage* message) override;
    int32_t Reserved9() override;
    int32_t ModifyStragetyRunningParams(const char* json, int32_t code) override;
    std::string GetInfoText() override;
    void ForwardToStrategy(intptr_t value) override;
    void Reserved13() override;

private:
    // Loads the library at `path` unless one is loaded, then asks it for its
    // handler unless one is held. Logs and returns false on every failure; a
    // library that loads but yields no handler stays loaded.
    bool LoadStrategy(const char* path);
    // Unloads the library and forgets the handler without calling it.
    void release();

    zq::os::ModuleHandle module_ = nullptr;
    Norq::IStrategyHandler* handler_ = nullptr;
};
