#include "adapter/zqtimersignalhandler.h"

ZqTimerSignalHandler& ZqTimerSignalHandler::instance() {
    static ZqTimerSignalHandler handler;
    return handler;
}
