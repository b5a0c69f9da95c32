#include "adapter/strategycall.h"

#include "norq/zqlog.h"

void logStrategyException(const char* callback, const char* reason) {
    try {
        Norq::ZqLog("strategycall", __LINE__, "callStrategy").error()
            << "策略回调抛出异常，回调：" << callback << " 原因：" << (reason ? reason : "未知异常");
    } catch (...) {
    }
}
