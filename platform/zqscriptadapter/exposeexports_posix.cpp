#include "exposeexports.h"

#include <dlfcn.h>

bool exposeLibraryExports(const void* address) {
    Dl_info info;
    if (!dladdr(address, &info) || !info.dli_fname) return false;
    // RTLD_NOLOAD only widens the scope of the library already loaded; the
    // reference it takes is kept for the life of the process on purpose.
    return dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_GLOBAL) != nullptr;
}
