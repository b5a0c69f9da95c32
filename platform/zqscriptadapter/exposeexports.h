// Making the interpreter's names visible to the extension modules it loads.
#pragma once

// Makes the exports of the loaded library that holds `address` visible to
// every library loaded after it, as if the program had been linked to it.
// A library loaded into a scope of its own keeps its exports there, so the
// plug-ins it loads in turn (an interpreter's extension modules) could not
// resolve their names against it. Nothing to do on Windows, where each
// library names the one it imports from. False when no loaded library holds
// `address`. One implementation per system, chosen by the build.
bool exposeLibraryExports(const void* address);
