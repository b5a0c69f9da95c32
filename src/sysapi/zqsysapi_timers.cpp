// The system API's timers live in the process's one timer handler, so they
// outlive the strategy that registered them until they end or fire.
#include "sysapi/zqsysapi.h"
#include "timer/zqtimersignalhandler.h"

int32_t ZqSysApi::registerTimer(int32_t interval, const char* startTime, const char* endTime, const char* userData) {
    return ZqTimerSignalHandler::instance().registerTimer(interval, startTime, endTime, userData);
}

int32_t ZqSysApi::registerSingleTimer(const char* triggerTime, const char* userData) {
    return ZqTimerSignalHandler::instance().registerSingleTimer(triggerTime, userData);
}
