// Stand-in for the platform's script-adapter factory. getScriptAdapter hands
// out the platform's Python script adapter, the one owner of the interpreter
// embedded in the process: Init starts it and gives its lock away, so that
// every thread, the starting one included, enters it through
// PyGILState_Ensure; Uninit takes the lock back and shuts the interpreter
// down, after which Init may start a fresh one. SetHostServices keeps the
// host's pointer. The adapter's other operations have nothing to do here and
// answer that no strategy is available.
//
// Init and Uninit may come from any thread but not while another thread is
// inside the interpreter; the caller sees to that.
#pragma once

#include <cstdint>

#include "zq/izqscriptadapter.h"

#if defined(_WIN32)
#if defined(ZQSCRIPTADAPTER_BUILD)
#define ZQSCRIPTADAPTER_EXPORT __declspec(dllexport)
#else
#define ZQSCRIPTADAPTER_EXPORT __declspec(dllimport)
#endif
#else
#define ZQSCRIPTADAPTER_EXPORT __attribute__((visibility("default")))
#endif

// Callers pass 0 for both; the platform has one Python adapter, never null here.
extern "C" ZQSCRIPTADAPTER_EXPORT zq::IZqScriptAdapter* getScriptAdapter(int32_t kind, int32_t flags);
