// The public types as a library built from the public headers alone sees
// them, for scripts/abi.sh. The adapter's own exports reach its records and
// lists, but not the interfaces a strategy calls through (IZqContext and
// what it hands out), the strategy interface it implements, or the rows and
// order records the host passes as untyped pointers; a slot moved in
// INorqSysApi would break every strategy already built without touching an
// export of the adapter. This one export names them all, so their layouts
// and virtual slots are compared too. Nothing calls it.
#include "norq/ietfhandler.h"
#include "norq/imarginhandler.h"
#include "norq/ioptiontradehandler.h"
#include "norq/ipythonexecutor.h"
#include "norq/istrategyhandler.h"
#include "norq/izqcontext.h"
#include "norq/strategyhandlerbase.h"
#include "zq/clocksource.h"
#include "zq/hostorder.h"
#include "zq/hostrows.h"
#include "zq/izqscriptadapter.h"

extern "C" NORQ_EXPORT void zqPublicTypes(Norq::IStrategyHandler*, Norq::StrategyHandlerBase*, Norq::IZqContext*,
                                          Norq::INorqSysApi*, Norq::IEtfHandler*, Norq::IMarginHandler*,
                                          Norq::IOptionTradeHandler*, Norq::IPythonExecutor*,
                                          Norq::GetStrategyHandlerFn, zq::IZqScriptAdapter*, zq::GetAdapterFn,
                                          zq::HostServices*, zq::NotifyMessage*, zq::OrderRow*, zq::ExecutionRow*,
                                          zq::PositionRow*, zq::FundRow*, zq::HostOrderRecord*,
                                          zq::HostBatchHeader*, ZqClockSource) {}
