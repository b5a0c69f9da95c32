// The context handed to every strategy callback. One per process, created on
// first use and kept until exit; it owns the API objects and gives each the
// host pointer. Its fields are written only from adapter operations, which
// the host makes one at a time, and read by the strategy from within them.
#pragma once

#include <string>

#include "norq/izqcontext.h"
#include "zq/hostservices.h"

class ZqSysApi;
class ZqEtfHandler;
class ZqMarginHandler;
class ZqAlgoTradeHandler;
class ZqOptionTradeHandler;
class ZqPyExecutor;

class ZqContext : public Norq::IZqContext {
public:
    static ZqContext& instance();

    Norq::INorqSysApi* getSysApi() override;
    Norq::IEtfHandler* getEtfHandler() override;
    Norq::IMarginHandler* getMarginHandler() override;
    void* getAlgoTradeHandler() override;
    Norq::IOptionTradeHandler* getOptionTradeHandler() override;
    Norq::IPythonExecutor* getPythonExecutor() override;
    void* getHandler(const char* name) override;
    Norq::StrategyParams* getRunParams() override;
    Norq::ZqString getAccountId(int32_t accountType) override;
    intptr_t forwardToHost(intptr_t a, intptr_t b, intptr_t c) override;
    Norq::ZqString getStrategyPath() override;
    void setStrategyHandler(Norq::IStrategyHandler* handler) override;

    void setStrategyPath(const char* path);
    void setParams(const char* params);
    void releasePython();
    int getOperateMode();

private:
    ZqContext();
    ~ZqContext();
    ZqContext(const ZqContext&) = delete;
    ZqContext& operator=(const ZqContext&) = delete;

    Norq::StrategyParams params;
    ZqSysApi* sysApi = nullptr;
    ZqEtfHandler* etfHandler = nullptr;
    ZqMarginHandler* marginHandler = nullptr;
    ZqAlgoTradeHandler* algoTradeHandler = nullptr;
    ZqOptionTradeHandler* optionTradeHandler = nullptr;
    ZqPyExecutor* pythonExecutor = nullptr;
    std::string strategyPath;
};
