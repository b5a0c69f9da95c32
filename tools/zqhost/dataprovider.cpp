#include "dataprovider.h"

#include <climits>
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
    std::string instance = fixedText(query.instance);
    ZqDataRows rows;
    for (const SimOrder& order : account_.orders()) {
        if (!matches(fixedText(query.order_id), order.id) || !matches(fixedText(query.symbol), order.symbol) ||
            (instance != "ALL" && instance != order.instanceId) || !statusListed(fixedText(query.statuses), order.status)) {
            continue;
        }
        append(rows, orderRow(order));
        ++rows.total_count;
    }
    return rows;
}

ZqDataRows ReplayData::executions(const ZqDataCall& call) const {
    ZqExecutionQuery query = queryOf<ZqExecutionQuery>(call);
    std::string instance = fixedText(query.instance);
    ZqDataRows rows;
    for (const SimFill& fill : account_.fills()) {
        const SimOrder& order = account_.orders()[fill.order];
        if (!matches(fixedText(query.order_id), order.id) || !matches(fixedText(query.symbol), order.symbol) ||
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

// Bars are whatever period the files hold; the period asked for is not
// converted. The query from an initial time gives the bars from then on.
ZqDataRows ReplayData::bars(const ZqDataCall& call) const {
    if (call.texts.size() < 2) return ZqDataRows();
    const bool fromInitDate = call.function == "QueryKLineDataFromInitDate";
    int64_t start = stampOf(call.texts[1]);
    int64_t end = fromInitDate || call.texts.size() < 3 ? INT64_MAX : stampOf(call.texts[2]);
    ZqDataRows rows;
    for (const Bar* bar : market_.history(call.texts[0], start, end)) {
        Norq::KLineData record{};
        std::strncpy(record.datetime, displayTime(bar->stamp).c_str(), sizeof record.datetime - 1);
        record.open = bar->open;
        record.close = bar->close;
        record.high = bar->high;
        record.low = bar->low;
        record.total_volume = static_cast<int64_t>(bar->volume);
        record.total_money = bar->amount;
        std::strncpy(record.symbol, bar->symbol.c_str(), sizeof record.symbol - 1);
        append(rows, record);
    }
    return rows;
}

}  // namespace zqhost
