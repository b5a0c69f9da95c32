// The data-access library's rows for a replay: orders, executions,
// positions and funds of the simulated account, and bars up to the
// simulated now. Ticks and index components are not simulated.
#pragma once

#include "account.h"
#include "market.h"
#include "zqdataaccess.h"

namespace zqhost {

class ReplayData : public ZqDataProvider {
public:
    ReplayData(const Market& market, const SimAccount& account) : market_(market), account_(account) {}
    ZqDataRows answer(const ZqDataCall& call) override;

private:
    ZqDataRows orders(const ZqDataCall& call) const;
    ZqDataRows executions(const ZqDataCall& call) const;
    ZqDataRows positions(const ZqDataCall& call) const;
    ZqDataRows fund(const ZqDataCall& call) const;
    ZqDataRows bars(const ZqDataCall& call) const;

    const Market& market_;
    const SimAccount& account_;
};

}  // namespace zqhost
