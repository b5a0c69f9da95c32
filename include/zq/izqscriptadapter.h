// The adapter as the host drives it. Obtain the one adapter object with the
// exported plain function getAdapter(); call Init, then SetHostServices, then
// GetStrategyParams / RunStrategy / OnNotifyMessage / StopStrategy, and Uninit
// at shutdown. Calls must come one at a time. Slot order is the binary
// interface. Results: 0 success, 8 no strategy handler available, -1 a JSON
// text is missing or does not parse.
#pragma once

#include <cstdint>
#include <string>

#include "norq/export.h"
#include "zq/hostservices.h"
#include "zq/notifymessage.h"

namespace zq {

constexpr int32_t kResultOk = 0;
constexpr int32_t kResultNoStrategy = 8;
constexpr int32_t kResultBadJson = -1;

// clang-format off
class IZqScriptAdapter {
public:
    virtual void SetHostServices(HostServices* host) = 0;                           // 0
    virtual bool Init() = 0;                                                        // 1
    virtual bool Uninit() = 0;                                                      // 2
    // Loads the strategy, assigns its parameter schema JSON to `out` and
    // unloads it again, also when it had been loaded by RunStrategy.
    virtual int32_t GetStrategyParams(const char* path, std::string& out) = 0;     // 3
    virtual int32_t RunStrategy(const char* path, const char* params) = 0;         // 4
    virtual int32_t StopStrategy() = 0;                                             // 5
    virtual int32_t Reserved6() = 0;                                                // 6
    virtual int32_t Reserved7() = 0;                                                // 7
    virtual int32_t OnNotifyMessage(const NotifyMessage* message) = 0;             // 8
    virtual int32_t Reserved9() = 0;                                                // 9
    virtual int32_t ModifyStragetyRunningParams(const char* json, int32_t code) = 0;  // 10
    virtual std::string GetInfoText() = 0;                                          // 11
    virtual void ForwardToStrategy(intptr_t value) = 0;                             // 12
    virtual void Reserved13() = 0;                                                  // 13
};
// clang-format on

using GetAdapterFn = IZqScriptAdapter* (*)();

}  // namespace zq

extern "C" NORQ_EXPORT zq::IZqScriptAdapter* getAdapter();
