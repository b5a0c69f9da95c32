// The adapter library as a host opens it: loaded by path, then its one
// adapter object obtained through the exported getAdapter. Like the trading
// client, the host keeps it loaded until the process ends.
#pragma once

#include <string>

#include "os/os.h"
#include "zq/izqscriptadapter.h"

namespace zqhost {

struct AdapterLibrary {
    zq::os::ModuleHandle module = nullptr;
    zq::IZqScriptAdapter* adapter = nullptr;
};

// The adapter installed beside zqhost.
std::string defaultAdapterPath();
// On failure returns false with the reason in `error`.
bool openAdapter(const std::string& path, AdapterLibrary& library, std::string& error);

}  // namespace zqhost
