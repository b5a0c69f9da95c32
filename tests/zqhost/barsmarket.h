// A replayed market over bars held in memory, for tests that drive the
// account and the local host without bar files: the bars' symbols are
// interned as the first pass over files would, and advanceTo(i) delivers
// the i-th bar. Not copyable: the market reads the catalog it sits on.
// And an order as the library hands it to the host.
#pragma once

#include <utility>
#include <vector>

#include "barcatalog.h"
#include "fixedtext.h"
#include "market.h"
#include "zq/hostorder.h"

namespace zqhost {

struct BarsCatalog {
    explicit BarsCatalog(std::vector<Bar> bars) : list(std::move(bars)) {
        for (Bar& bar : list) bar.symbolId = catalog.symbols.intern(bar.symbol);
        catalog.symbolPeriod.assign(catalog.symbols.size(), kMinute);
        catalog.delivered = static_cast<int64_t>(list.size());
        if (list.empty()) return;
        catalog.firstDelivered = list.front().stamp;
        catalog.lastDelivered = list.back().stamp;
    }
    BarCatalog catalog;
    std::vector<Bar> list;
};

class BarsMarket : private BarsCatalog, public Market {
public:
    explicit BarsMarket(std::vector<Bar> bars) : BarsCatalog(std::move(bars)), Market(catalog) {}
    BarsMarket(const BarsMarket&) = delete;
    BarsMarket& operator=(const BarsMarket&) = delete;

    void advanceTo(size_t index) { advance(list[index]); }
    const std::vector<Bar>& bars() const { return list; }
};

inline zq::HostOrderRecord order(const std::string& id, int32_t side, int32_t amount, const char* priceType = "a",
                                 double price = 0, const char* symbol = "600000.SH") {
    zq::HostOrderRecord r{};
    putText(r.client_order_id, id);
    putText(r.account_id, "880001");
    putText(r.request.symbol, symbol);
    putText(r.request.price_type, priceType);
    r.request.side = side;
    r.request.amount = amount;
    r.request.price = price;
    return r;
}

}  // namespace zqhost
