// One replay: every bar, read from the stream as it is due, delivered to
// the running strategy the way the trading client delivers market data,
// the simulated account filling its orders in between, and what happened
// gathered for the result.
//
// At each bar: a new trading day is announced first (1006 for the day that
// ended, 1005 for the day that begins, each with the bar's time); then the
// account fills what the bar allows and its reports are pushed; then the bar
// itself (1061); then a timer tick (1004) whose tick length is the simulated
// time since the previous tick. Reports caused by a call are pushed when
// that call has returned, in the order they arose.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "account.h"
#include "barcatalog.h"
#include "barstream.h"
#include "callwatch.h"
#include "equitycurve.h"
#include "localhost.h"
#include "market.h"
#include "pushsource.h"
#include "replaytap.h"
#include "runresult.h"
#include "seriesreducer.h"
#include "zq/izqscriptadapter.h"

namespace zqhost {

class Replay {
public:
    Replay(zq::IZqScriptAdapter& adapter, LocalHost& host, const BarCatalog& catalog, BarStream& stream,
           Market& market, SimAccount& account, CallWatch& watch);

    // Takes the bars before the catalog's start into the history, not
    // delivered; before the strategy starts, so it can read them. False
    // with the reason when the files cannot be read.
    bool warmUp(std::string& error);
    // Delivers every bar up to the catalog's end, or those before an
    // interruption (interruption.h); `progress` shows a progress line on
    // standard error once the run takes longer than a second. False with
    // the reason when the files cannot be read on.
    bool run(bool progress, std::string& error);
    // How many bars were delivered, and how many the run would deliver.
    int64_t delivered() const { return market_.delivered(); }
    int64_t total() const { return catalog_.delivered; }
    // Delivers what waits after a call the host made itself (RunStrategy).
    void drain();
    RunResult result(const std::string& strategy, double startingCash) const;
    // `tap` (null: none) sees what is delivered from now on.
    void setTap(ReplayTap* tap) { tap_ = tap; }
    // Where waiting notifications are taken from (null: the host itself).
    void setPushSource(PushSource* source) { source_ = source; }

private:
    // `what` names what is delivered, for the call watch.
    void deliver(uint32_t id, const void* payload, const char* what);
    void deliverText(uint32_t id, const std::string& text, const char* what);
    void deliverText(uint32_t id, const char* text, const char* what);
    void announceDay(const Bar& bar, int64_t previous);
    void tick(const Bar& bar);
    void deliverBar(const Bar& bar);
    void sample(const Bar& bar);
    void takeEquityPoint();

    zq::IZqScriptAdapter& adapter_;
    LocalHost& host_;
    const BarCatalog& catalog_;
    BarStream& stream_;
    Market& market_;
    SimAccount& account_;
    CallWatch& watch_;
    ReplayTap* tap_ = nullptr;
    PushSource* source_ = nullptr;
    int64_t lastTickSeconds_ = -1;
    char tickText_[kHostTimeBytes + 1] = {};
    // The result side keeps a bounded amount whatever the number of bars:
    // figures taken as the bars go, and charts' series reduced.
    EquityCurve curve_;
    SeriesReducer equity_;                           // tags are stamps
    std::map<std::string, SeriesReducer> closes_;   // tags are stamps
    // The bar time whose equity point is still to be taken, once its last
    // bar is in.
    int64_t pendingStamp_ = 0, pendingSeconds_ = 0;
    bool pending_ = false;
};

}  // namespace zqhost
