// The context every strategy callback receives: the strategy's way to the
// system API, the specialised handlers, its running parameters, its account
// ids and its file path. One per process; the pointer stays valid for the
// life of the process. The slot order is the binary interface.
#pragma once

#include <cstdint>

#include "norq/ietfhandler.h"
#include "norq/imarginhandler.h"
#include "norq/inorqsysapi.h"
#include "norq/ioptiontradehandler.h"
#include "norq/ipythonexecutor.h"
#include "norq/strategyparams.h"
#include "norq/zqstring.h"

namespace Norq {

class IStrategyHandler;

// clang-format off
class IZqContext {
public:
    virtual INorqSysApi* getSysApi() = 0;                      // 0
    virtual IEtfHandler* getEtfHandler() = 0;                  // 1
    virtual IMarginHandler* getMarginHandler() = 0;            // 2
    // An object with no operations, kept for strategies that ask for it.
    virtual void* getAlgoTradeHandler() = 0;                   // 3
    virtual IOptionTradeHandler* getOptionTradeHandler() = 0;  // 4
    virtual IPythonExecutor* getPythonExecutor() = 0;          // 5
    // Exact, case-sensitive names: "getSysApi", "getEtfHandler",
    // "getMarginHandler", "getAlgoTradeHandler", "getOptionTradeHandler",
    // "getPythonExecutor". Anything else, null included, gives null.
    virtual void* getHandler(const char* name) = 0;            // 6
    virtual StrategyParams* getRunParams() = 0;                // 7
    // Empty when the host has no account of that type.
    virtual ZqString getAccountId(int32_t accountType) = 0;    // 8
    // a, b and c go to the host's Forward unchanged, and its answer comes
    // back; what they mean is agreed between the strategy and the host.
    virtual intptr_t forwardToHost(intptr_t a, intptr_t b, intptr_t c) = 0;  // 9
    virtual ZqString getStrategyPath() = 0;                    // 10
    virtual void setStrategyHandler(IStrategyHandler* handler) = 0;  // 11
};
// clang-format on

}  // namespace Norq
