#include "python/zqpyexecutor.h"

void ZqPyExecutor::releasePython() {
    // Only registering a Python file starts the interpreter, and the executor
    // cannot do that yet: there is never one to shut down.
}
