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
#include "localhost.h"
#include "market.h"
#include "replaytap.h"
#include "runresult.h"
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
    // Delivers every bar up to the catalog's end; `progress` shows a
    // progress line on standard error once the run takes longer than a
    // second. False with the reason when the files cannot be read on.
    bool run(bool progress, std::string& error);
    // Delivers what waits after a call the host made itself (RunStrategy).
    void drain();
    RunResult result(const std::string& strategy, double startingCash) const;
    // `tap` (null: none) sees what is delivered from now on.
    void setTap(ReplayTap* tap) { tap_ = tap; }

private:
    // `what` names what is delivered, for the call watch.
    void deliver(uint32_t id, const void* payload, const char* what);
    void deliverText(uint32_t id, const std::string& text, const char* what);
    void deliverText(uint32_t id, const char* text, const char* what);
    void announceDay(const Bar& bar, int64_t previous);
    void tick(const Bar& bar);
    void deliverBar(const Bar& bar);
    const std::string& barJson(const Bar& bar);
    void sample(const Bar& bar);

    zq::IZqScriptAdapter& adapter_;
    LocalHost& host_;
    const BarCatalog& catalog_;
    BarStream& stream_;
    Market& market_;
    SimAccount& account_;
    CallWatch& watch_;
    ReplayTap* tap_ = nullptr;
    int64_t lastTickSeconds_ = -1;
    std::string barJson_;
    char tickText_[kHostTimeBytes + 1] = {};
    std::vector<std::pair<int64_t, double>> equity_;                        // stamp, equity
    std::map<std::string, std::vector<std::pair<int64_t, double>>> closes_;  // stamp, close
};

}  // namespace zqhost
