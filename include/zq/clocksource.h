// For hosts that replay history: the wall clock the library reads (timers,
// the strategy's current time) can come from the host instead of the
// system. The host calls SetClockSource before it runs a strategy; the
// source is then called from whatever thread reads the time and must stay
// callable until it is replaced. A null source restores the system clock.
#pragma once

#include "norq/export.h"

extern "C" {

// Writes the current local time as "yyyyMMdd hh:mm:ss zzz" (21 characters
// and a NUL) into `out`.
typedef void (*ZqClockSource)(char out[22], void* user);

NORQ_EXPORT void SetClockSource(ZqClockSource source, void* user);
}
