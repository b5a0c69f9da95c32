// The trading queries of the system API: orders, executions, positions and
// funds, read from the platform's data-access library.
#include <cstdio>
#include <cstring>

#include "convert/zqstructassembler.h"
#include "sdk/textcopy.h"
#include "sysapi/callerflag.h"
#include "sysapi/rowlists.h"
#include "sysapi/sysapilog.h"
#include "sysapi/zqsysapi.h"
#include "zqdataaccess.h"

namespace {

constexpr const char* kAllInstances = "ALL";
constexpr int32_t kQueryTail = -1;
constexpr int32_t kPositionsOfPlatform = 0;
constexpr int32_t kPositionsOfCounter = 1;

// The account id for the type, or empty after logging `message` and the type.
std::string accountFor(const HostChannel& channel, Norq::AccountType type, int line, const char* function,
                       const char* message) {
    return channel.accountOrLog(type,
                                [&] { sysapi::errorLine(line, function) << message << static_cast<int32_t>(type); });
}

// The instance field of order and execution queries: the host is asked for
// the instance id only when the strategy wants its own records.
std::string instanceFilter(const HostChannel& channel, const Norq::TradeQuery& query) {
    return sysapi::flagOf(query.own_only) ? channel.instanceId() : kAllInstances;
}

template <typename List>
void takePage(List& list, const ZqTradeAnswer& answer) {
    list.setLast(answer.last_page);
    list.setTotalCount(answer.total_count);
}

}  // namespace

Norq::OrderList ZqSysApi::getOrders(Norq::AccountType type, const Norq::TradeQuery& query) {
    Norq::OrderList orders;
    std::string account =
        accountFor(channel(), type, __LINE__, "ZqSysApi::getOrders", "未找到对应类型的账号，查询订单失败，账号类型：");
    if (account.empty()) return orders;
    ZqOrderQuery request{};
    zqinternal::copyField(request.order_id, query.order_id);
    zqinternal::copyText(request.account_id, account.c_str());
    if (sysapi::flagOf(query.status_filter_flag)) {
        std::snprintf(request.statuses, sizeof request.statuses, "%d,%d,%d,%d,%d", 1, 2, 7, 4, 3);
    }
    zqinternal::copyText(request.instance, instanceFilter(channel(), query).c_str());
    std::memcpy(request.pass_through, query.pass_through, sizeof request.pass_through);
    zqinternal::copyField(request.symbol, query.symbol);
    request.tail = kQueryTail;

    ZqTradeAnswer answer = QueryEntrust(&request);
    sysapi::appendConverted<zq::OrderRow, Norq::Order>(orders, answer.rows, answer.row_count,
                                                        ZqStructAssembler::orderFromRow);
    takePage(orders, answer);
    ReleaseMem(answer.rows);
    return orders;
}

Norq::ExecutionList ZqSysApi::getExecutions(Norq::AccountType type, const Norq::TradeQuery& query) {
    Norq::ExecutionList executions;
    std::string account = accountFor(channel(), type, __LINE__, "ZqSysApi::getExecutions",
                                     "未找到对应类型的账号，查询成交失败，账号类型：");
    if (account.empty()) return executions;
    ZqExecutionQuery request{};
    zqinternal::copyField(request.order_id, query.order_id);
    zqinternal::copyText(request.account_id, account.c_str());
    zqinternal::copyText(request.fixed, "0");
    zqinternal::copyText(request.status_filter, sysapi::flagOf(query.status_filter_flag) ? "2" : "0");
    zqinternal::copyText(request.instance, instanceFilter(channel(), query).c_str());
    std::memcpy(request.pass_through, query.pass_through, sizeof request.pass_through);
    zqinternal::copyField(request.symbol, query.symbol);
    request.tail = kQueryTail;

    ZqTradeAnswer answer = QueryTradeDeal(&request);
    sysapi::appendConverted<zq::ExecutionRow, Norq::Execution>(executions, answer.rows, answer.row_count,
                                                                ZqStructAssembler::executionFromRow);
    takePage(executions, answer);
    ReleaseMem(answer.rows);
    return executions;
}

Norq::PositionList ZqSysApi::getPositions(Norq::AccountType type, const char* symbol) {
    return positionsImpl(type, symbol, kPositionsOfPlatform, "ZqSysApi::getPositions");
}

Norq::PositionList ZqSysApi::getPositionFromCounter(Norq::AccountType type, const char* symbol) {
    return positionsImpl(type, symbol, kPositionsOfCounter, "ZqSysApi::getPositionFromCounter");
}

Norq::PositionList ZqSysApi::positionsImpl(Norq::AccountType type, const char* symbol, int32_t source,
                                           const char* function) {
    Norq::PositionList positions;
    std::string account =
        accountFor(channel(), type, __LINE__, function, "未找到对应类型的账号，查询持仓失败，账号类型：");
    if (account.empty()) return positions;
    ZqPositionQuery request{};
    zqinternal::copyText(request.account_id, account.c_str());
    zqinternal::copyText(request.symbol, symbol);
    request.tail = kQueryTail;

    ZqRowsAnswer answer = QueryStockPosition(&request, source);
    sysapi::appendConverted<zq::PositionRow, Norq::Position>(positions, answer.rows, answer.row_count,
                                                              ZqStructAssembler::positionFromRow);
    ReleaseMem(answer.rows);
    return positions;
}

Norq::FundInfo ZqSysApi::getFundInfo(Norq::AccountType type) {
    Norq::FundInfo fund{};
    std::string account = accountFor(channel(), type, __LINE__, "ZqSysApi::getFundInfo",
                                     "未找到对应类型的账号，查询资金失败，账号类型：");
    if (account.empty()) return fund;
    ZqFundQuery request{};
    zqinternal::copyText(request.account_id, account.c_str());
    ZqStructAssembler::fundInfoFromRow(QueryFundQuota(&request), fund);
    return fund;
}
