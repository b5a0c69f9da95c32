#include "adapterlibrary.h"

namespace zqhost {

std::string defaultAdapterPath() {
#if defined(_WIN32)
    return zqhost::os::executableDir() + "/zqcxxadapter.dll";
#else
    return zqhost::os::executableDir() + "/../lib/libzqcxxadapter.so";
#endif
}

bool openAdapter(const std::string& path, AdapterLibrary& library, std::string& error) {
    library.module = zqhost::os::loadLibrary(zqhost::os::absolutePath(path));
    if (!library.module) return error = "cannot load the adapter " + path + ": " + zqhost::os::lastErrorText(), false;
    auto getAdapter = reinterpret_cast<zq::GetAdapterFn>(zqhost::os::findSymbol(library.module, "getAdapter"));
    library.adapter = getAdapter ? getAdapter() : nullptr;
    if (!library.adapter) return error = "the library " + path + " offers no adapter (getAdapter)", false;
    return true;
}

}  // namespace zqhost
