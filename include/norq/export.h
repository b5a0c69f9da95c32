// The export macros. NORQ_EXPORT marks what the adapter library exports and
// strategy libraries and hosts import (the SDK classes, getAdapter);
// everything else stays hidden. NORQ_STRATEGY_EXPORT marks what a strategy
// library exports itself: its getStrategyHandler.
#pragma once

#if defined(_WIN32)
#if defined(ZQCXXADAPTER_BUILD)
#define NORQ_EXPORT __declspec(dllexport)
#else
#define NORQ_EXPORT __declspec(dllimport)
#endif
#define NORQ_STRATEGY_EXPORT __declspec(dllexport)
#else
#define NORQ_EXPORT __attribute__((visibility("default")))
#define NORQ_STRATEGY_EXPORT __attribute__((visibility("default")))
#endif
