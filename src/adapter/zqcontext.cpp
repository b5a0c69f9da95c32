#include "adapter/zqcontext.h"

#include <cstring>

#include "timer/zqtimersignalhandler.h"
#include "handlers/zqalgotradehandler.h"
#include "handlers/zqetfhandler.h"
#include "handlers/zqmarginhandler.h"
#include "handlers/zqoptiontradehandler.h"
#include "host/hostchannel.h"
#include "python/zqpyexecutor.h"
#include "sysapi/zqsysapi.h"

ZqContext& ZqContext::instance() {
    static ZqContext context;
    return context;
}

ZqContext::ZqContext()
    : sysApi(new ZqSysApi),
      etfHandler(new ZqEtfHandler),
      marginHandler(new ZqMarginHandler),
      algoTradeHandler(new ZqAlgoTradeHandler),
      optionTradeHandler(new ZqOptionTradeHandler),
      pythonExecutor(new ZqPyExecutor) {
    sysApi->setRunParams(&params);
}

// Runs at process exit. The objects' operations are not called: the host and
// the strategy may be gone by then.
ZqContext::~ZqContext() {
    delete sysApi;
    sysApi = nullptr;
    delete etfHandler;
    etfHandler = nullptr;
    delete marginHandler;
    marginHandler = nullptr;
    delete algoTradeHandler;
    algoTradeHandler = nullptr;
    delete optionTradeHandler;
    optionTradeHandler = nullptr;
    delete pythonExecutor;
    pythonExecutor = nullptr;
}

// The named getters are getHandler under their own names, so the two can
// never hand out different objects.
Norq::INorqSysApi* ZqContext::getSysApi() {
    return static_cast<Norq::INorqSysApi*>(getHandler("getSysApi"));
}

Norq::IEtfHandler* ZqContext::getEtfHandler() {
    return static_cast<Norq::IEtfHandler*>(getHandler("getEtfHandler"));
}

Norq::IMarginHandler* ZqContext::getMarginHandler() {
    return static_cast<Norq::IMarginHandler*>(getHandler("getMarginHandler"));
}

void* ZqContext::getAlgoTradeHandler() {
    return getHandler("getAlgoTradeHandler");
}

Norq::IOptionTradeHandler* ZqContext::getOptionTradeHandler() {
    return static_cast<Norq::IOptionTradeHandler*>(getHandler("getOptionTradeHandler"));
}

Norq::IPythonExecutor* ZqContext::getPythonExecutor() {
    return static_cast<Norq::IPythonExecutor*>(getHandler("getPythonExecutor"));
}

// The pointers handed out are the objects' interfaces, their first bases.
void* ZqContext::getHandler(const char* name) {
    if (!name) return nullptr;
    const struct {
        const char* name;
        void* object;
    } handlers[] = {
        {"getSysApi", static_cast<Norq::INorqSysApi*>(sysApi)},
        {"getEtfHandler", static_cast<Norq::IEtfHandler*>(etfHandler)},
        {"getMarginHandler", static_cast<Norq::IMarginHandler*>(marginHandler)},
        {"getAlgoTradeHandler", algoTradeHandler},
        {"getOptionTradeHandler", static_cast<Norq::IOptionTradeHandler*>(optionTradeHandler)},
        {"getPythonExecutor", static_cast<Norq::IPythonExecutor*>(pythonExecutor)},
    };
    for (const auto& handler : handlers) {
        if (std::strcmp(name, handler.name) == 0) return handler.object;
    }
    return nullptr;
}

Norq::StrategyParams* ZqContext::getRunParams() {
    return &params;
}

Norq::ZqString ZqContext::getAccountId(int32_t accountType) {
    return Norq::ZqString(HostChannel::instance().accountId(accountType).c_str());
}

intptr_t ZqContext::forwardToHost(intptr_t a, intptr_t b, intptr_t c) {
    zq::HostServices* host = HostChannel::instance().host();
    return host ? host->Forward(a, b, c) : 0;
}

Norq::ZqString ZqContext::getStrategyPath() {
    return Norq::ZqString(strategyPath.c_str());
}

void ZqContext::setStrategyHandler(Norq::IStrategyHandler* handler) {
    ZqTimerSignalHandler::instance().setStrategy(handler);
}

void ZqContext::setStrategyPath(const char* path) {
    strategyPath = path ? path : "";
}

void ZqContext::setParams(const char* params) {
    this->params.setParams(Norq::ZqString(params));
}

void ZqContext::releasePython() {
    if (pythonExecutor) pythonExecutor->releasePython();
}

int ZqContext::getOperateMode() {
    return params.getIntValue("operate_mode");
}
