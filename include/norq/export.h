// The one export macro of the SDK and the host contract. Everything a strategy
// library or the host links against carries it; everything else stays hidden.
#pragma once

#if defined(_WIN32)
#if defined(ZQCXXADAPTER_BUILD)
#define NORQ_EXPORT __declspec(dllexport)
#else
#define NORQ_EXPORT __declspec(dllimport)
#endif
#else
#define NORQ_EXPORT __attribute__((visibility("default")))
#endif
