#include "exposeexports.h"

bool exposeLibraryExports(const void*) {
    return true;
}
