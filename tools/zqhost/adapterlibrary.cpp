#include "adapterlibrary.h"

namespace zqhost {

std::string defaultAdapterPath() {
#if defined(_WIN32)
    return zq::os::executableDir() + "/zqcxxadapter.dll";
#else
    return zq::os::executableDir() + "/../lib/libzqcxxadapter.so";
#endif
}

bool openAdapter(const std::string& path, AdapterLibrary& library, std::string& error) {
    library.module = zq::os::loadLibrary(zq::os::absolutePath(path));
    if (!library.module) return error = "cannot load the adapter " + path + ": " + zq::os::lastErrorText(), false;
    auto getAdapter = reinterpret_cast<zq::GetAdapterFn>(zq::os::findSymbol(library.module, "getAdapter"));
    library.adapter = getAdapter ? getAdapter() : nullptr;
    if (!library.adapter) return error = "the library " + path + " offers no adapter (getAdapter)", false;
    return true;
}

}  // namespace zqhost
