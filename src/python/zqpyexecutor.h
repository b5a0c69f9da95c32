// The Python executor a strategy obtains from its context.
#pragma once

#include "host/zqapibase.h"
#include "norq/ipythonexecutor.h"

class ZqPyExecutor : public Norq::IPythonExecutor, public ZqApiBase {
public:
    // Shuts down the interpreter this executor started; called when the
    // strategy stops.
    void releasePython();
};
