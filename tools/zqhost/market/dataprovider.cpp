#include "dataprovider.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "norq/records.h"
#include "rows.h"
#include "fixedtext.h"

namespace zqhost {

namespace {

template <typename Query>
Query queryOf(const ZqDataCall& call) {
    Query query{};
    if (call.query.size() == sizeof query) std::memcpy(&query, call.query.data(), sizeof query);
    return query;
}

template <typename Row>
void append(ZqDataRows& rows, const Row& row) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&row);
    rows.bytes.insert(rows.bytes.end(), bytes, bytes + sizeof row);
}

// An order or execution matches a filter field when the field is empty or equal.
bool matches(const std::string& filter, const std::string& value) {
    return filter.empty() || filter == value;
}

bool statusListed(const std::string& list, int32_t status) {
    if (list.empty()) return true;
    std::istringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (item == std::to_string(status)) return true;
    }
    return false;
}

// Bars of a coarser period; each carries the time of its first bar.
std::vector<PastBar> periodBars(const std::vector<PastBar>& bars, int32_t period) {
    std::vector<PastBar> built;
    int64_t bucket = -1;
    for (const PastBar& bar : bars) {
        int64_t day = bar.seconds / kDay;
        int64_t its = period >= kDay ? day : day * kDay + bar.seconds % kDay / period;
        if (built.empty() || its != bucket) {
            built.push_back(bar);
            bucket = its;
            continue;
        }
        PastBar& into = built.back();
        into.high = std::max(into.high, bar.high);
        into.low = std::min(into.low, bar.low);
        into.close = bar.close;
        into.volume += bar.volume;
        into.amount += bar.amount;
    }
    return built;
}

// The library pads query times to yyyyMMddhhmmss.
int64_t stampOf(const std::string& text) {
    return std::strtoll(text.substr(0, 14).c_str(), nullptr, 10);
}

}  // namespace

ZqDataRows ReplayData::answer(const ZqDataCall& call) {
    if (call.function == "QueryEntrust") return orders(call);
    if (call.function == "QueryTradeDeal") return executions(call);
    if (call.function == "QueryStockPosition") return positions(call);
    if (call.function == "QueryFundQuota") return fund(call);
    if (call.function == "QueryKLineData" || call.function == "QueryKLineDataFromInitDate") return bars(call);
    return ZqDataRows();
}

ZqDataRows ReplayData::orders(const ZqDataCall& call) const {
    ZqOrderQuery query = queryOf<ZqOrderQuery>(call);
    const std::string instance = fixedText(query.instance), id = fixedText(query.order_id),
                      symbol = fixedText(query.symbol), statuses = fixedText(query.statuses);
    ZqDataRows rows;
    for (const SimOrder& order : account_.orders()) {
        if (!matches(id, order.id) || !matches(symbol, order.symbol) ||
            (instance != "ALL" && instance != order.instanceId) || !statusListed(statuses, order.status)) {
            continue;
        }
        append(rows, orderRow(order));
        ++rows.total_count;
    }
    return rows;
}

ZqDataRows ReplayData::executions(const ZqDataCall& call) const {
    ZqExecutionQuery query = queryOf<ZqExecutionQuery>(call);
    const std::string instance = fixedText(query.instance), id = fixedText(query.order_id),
                      symbol = fixedText(query.symbol);
    ZqDataRows rows;
    for (const SimFill& fill : account_.fills()) {
        const SimOrder& order = account_.orders()[fill.order];
        if (!matches(id, order.id) || !matches(symbol, order.symbol) ||
            (instance != "ALL" && instance != order.instanceId)) {
            continue;
        }
        append(rows, executionRow(fill, order));
        ++rows.total_count;
    }
    return rows;
}

ZqDataRows ReplayData::positions(const ZqDataCall& call) const {
    ZqPositionQuery query = queryOf<ZqPositionQuery>(call);
    std::string symbol = fixedText(query.symbol);
    ZqDataRows rows;
    for (const auto& [held, position] : account_.positions()) {
        if (position.amount == 0 || !matches(symbol, held)) continue;
        append(rows, positionRow(held, position, fixedText(query.account_id)));
    }
    return rows;
}

ZqDataRows ReplayData::fund(const ZqDataCall& call) const {
    ZqDataRows rows;
    append(rows, fundRow(account_, fixedText(queryOf<ZqFundQuery>(call).account_id)));
    return rows;
}

// Bars of the period asked for (none named: the files' own), built from the
// files' bars when that period is coarser: a bucket of whole periods of the
// day (or the day) opens at its first bar and closes at its last, the last
// one built from the bars seen so far. A finer period is refused. The query
// from an initial time gives the bars from then on.
ZqDataRows ReplayData::bars(const ZqDataCall& call) const {
    if (call.texts.size() < 2) return ZqDataRows();
    const std::string& symbol = call.texts[0];
    const bool fromInitDate = call.function == "QueryKLineDataFromInitDate";
    int64_t start = stampOf(call.texts[1]);
    int64_t end = fromInitDate || call.texts.size() < 3 ? INT64_MAX : stampOf(call.texts[2]);
    const size_t periodAt = fromInitDate ? 2 : 3;
    const std::string period = call.texts.size() > periodAt ? call.texts[periodAt] : std::string();
    int32_t own = market_.period(symbol);
    int32_t asked = period.empty() ? own : periodOf(period);
    if (own == 0) return ZqDataRows();
    if (asked < own) {
        std::printf("[HOST] bars of %s are %s: %s cannot be built from them\n", symbol.c_str(), periodName(own),
                    period.c_str());
        return ZqDataRows();
    }
    ZqDataRows rows;
    for (const PastBar& bar : periodBars(market_.history(symbol, start, end), asked)) {
        Norq::KLineData record{};
        writeDisplayTime(bar.stamp, record.datetime);
        record.open = bar.open;
        record.close = bar.close;
        record.high = bar.high;
        record.low = bar.low;
        record.total_volume = static_cast<int64_t>(bar.volume);
        record.total_money = bar.amount;
        std::strncpy(record.symbol, symbol.c_str(), sizeof record.symbol - 1);
        append(rows, record);
    }
    return rows;
}

}  // namespace zqhost
