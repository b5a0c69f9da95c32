// A strategy library for tests, built from the public SDK headers only. It
// records every callback it receives in the shared recorder. Built in several
// forms: the full strategy, one whose export hands out null
// (TEST_STRATEGY_NULL_HANDLER), one without the export
// (TEST_STRATEGY_NO_EXPORT), one that trades, queries and reaches the
// handlers from onInit (TEST_STRATEGY_TRADES).
#include <cstring>
#include <stdexcept>

#include "norq/norq.h"
#include "strategyrecorder.h"

namespace {

using fake::strategyRecorder;

// Marks the library's own load and unload.
struct LibraryLifetime {
    LibraryLifetime() { ++strategyRecorder().libraryLoads; }
    ~LibraryLifetime() { ++strategyRecorder().libraryUnloads; }
} lifetime;

std::string text(const char* s) {
    return s ? s : "(null)";
}

class TestStrategy : public Norq::IStrategyHandler {
public:
    Norq::StrategyParams getParams() override {
        note(0, nullptr);
        Norq::StrategyParams params;
        params.addIntParam("period", 20, "bars");
        params.addStrParam("symbol", "600000.SH", "traded symbol");
        params.addBoolParam("verbose", true, "log more");
        return params;
    }
    void onInit(Norq::IZqContext* ctx) override {
        note(1, ctx);
#if defined(TEST_STRATEGY_TRADES)
        trade(ctx);
        query(ctx);
        extensions(ctx);
#endif
    }
    void onNotify1071(Norq::IZqContext* ctx) override { note(2, ctx); }
    void onNotify1000(Norq::IZqContext* ctx, const void* p) override { note(3, ctx, {}, {}, p); }
    void onKLine(Norq::IZqContext* ctx, const Norq::KLineDataPush* p) override { noteRecord(4, ctx, p); }
    void onNotify1057(Norq::IZqContext* ctx, const void* p) override { note(5, ctx, {}, {}, p); }
    void onNotify1056(Norq::IZqContext* ctx, const void* p) override { note(6, ctx, {}, {}, p); }
    void onOrderReport(Norq::IZqContext* ctx, const Norq::Order* p) override { noteRecord(7, ctx, p); }
    void onExecutionReport(Norq::IZqContext* ctx, const Norq::Execution* p) override { noteRecord(8, ctx, p); }
    void onEtfEstimateInfo(Norq::IZqContext* ctx, const Norq::EtfEstimateInfo* p) override { noteRecord(9, ctx, p); }
    void onRunParamsChanged(Norq::IZqContext* ctx, const char* params, const char* path) override {
        note(10, ctx, {}, {text(params), text(path)});
    }
    void onTradeDate1005(Norq::IZqContext* ctx, int32_t date) override { note(11, ctx, {date}); }
    void onTradeDate1006(Norq::IZqContext* ctx, int32_t date) override { note(12, ctx, {date}); }
    void onNotify1083(Norq::IZqContext* ctx) override { note(13, ctx); }
    void onStop(Norq::IZqContext* ctx) override { note(14, ctx); }
    void onTimer(Norq::IZqContext* ctx, int32_t interval, const char* start, const char* end,
                 const char* user) override {
        note(15, ctx, {interval}, {text(start), text(end), text(user)});
    }
    void onSingleTimer(Norq::IZqContext* ctx, const char* time, const char* user) override {
        note(16, ctx, {}, {text(time), text(user)});
    }
    void onCustomMessage(Norq::IZqContext* ctx, int32_t id, const void* p) override { note(17, ctx, {id}, {}, p); }
    void onParamWindow(Norq::IZqContext* ctx, const char* params, const char* title) override {
        note(18, ctx, {}, {text(params), text(title)});
    }
    void onUserInput(Norq::IZqContext* ctx, const char* input) override { note(19, ctx, {}, {text(input)}); }
    void onForward(Norq::IZqContext* ctx, intptr_t value) override {
        note(20, ctx, {value});
        if (value == kExerciseSdk) exerciseSdk(ctx);
        if (value == kExerciseLists) exerciseLists();
    }
    void onFundUpdate(Norq::IZqContext* ctx, const Norq::FundInfo* p) override { noteRecord(21, ctx, p); }
    void onPositionUpdate(Norq::IZqContext* ctx, const Norq::Position* p) override { noteRecord(22, ctx, p); }
    void onNotify1089(Norq::IZqContext* ctx, const void* p) override { note(23, ctx, {}, {}, p); }
    void onOrderReply(Norq::IZqContext* ctx, const Norq::OrderReply* p) override { noteRecord(24, ctx, p); }

    // Forwarding this value makes the strategy use the SDK from its own code.
    static constexpr intptr_t kExerciseSdk = 1;
    static constexpr intptr_t kExerciseLists = 2;

private:
    // Uses every SDK type across the library boundary, logs the outcome in a
    // line tests can read back, and records it.
    void exerciseSdk(Norq::IZqContext* ctx) {
        Norq::ZqString joined = Norq::ZqString("ab") + Norq::ZqString("cd");
        Norq::SymbolList list;
        list.put("600000.SH");
        list.put("000001.SZ");
        Norq::SymbolList taken(list);
        Norq::ZqString symbol = ctx->getRunParams()->getStrValue("symbol");
        Norq::StrategyParams own;
        own.addIntParam("x", 1, "d");
        Norq::ZqString schema = own.getStrategyParams();
        Norq::ZqLog("teststrategy.cpp", 4242, "TestStrategy::exerciseSdk").warn()
            << joined << " " << taken.getSize() << " " << taken.index("000001.SZ") << " " << list.getSize() << " "
            << symbol << " " << schema;
        strategyRecorder().events.back().texts = {joined.str(), taken.get(0).str(), symbol.str(), schema.str(),
                                                  Norq::KLINE_5M.str()};
    }

    // Fills lists from this library, reads them back through the adapter
    // library's bodies, and logs a record.
    void exerciseLists() {
        Norq::OrderList orders;
        Norq::Order* order = new Norq::Order{};
        std::strcpy(order->symbol, "600000.SH");
        order->amount = 300;
        orders.push(order);
        orders.setLast(true);
        orders.setTotalCount(9);
        Norq::OrderList taken(orders);
        const Norq::Order& first = taken.get(0);
        const Norq::Order& outside = taken.get(1);
        Norq::MarginAssureSecurityList ratios;
        ratios.push("600000.SH", 0.7);
        ratios.push("600000.SH", 0.65);
        Norq::ZqLog("teststrategy.cpp", 4343, "TestStrategy::exerciseLists").info()
            << first.symbol << " " << first.amount << " " << taken.getSize() << " " << orders.getSize() << " "
            << taken.isLast() << " " << taken.totalCount() << " [" << outside.symbol << "] " << outside.amount << " "
            << ratios.getSize() << " " << ratios.discountRatio("600000.SH") << " " << first;
    }

    // Places, batches and cancels through the system API's slots as this
    // separately built library sees them, and records what came back.
    void trade(Norq::IZqContext* ctx) {
        Norq::INorqSysApi* api = ctx->getSysApi();
        const Norq::OrderRequest request = {"600000.SH", 300, 1, 10.5, "", 10, 0, 0, 0, 0, 0, {}, 0, 0};
        Norq::Order placed = api->order(Norq::ACCOUNT_STOCK, request);
        Norq::OrderRequestEx own{};
        std::strcpy(own.symbol, "000001.SZ");
        std::strcpy(own.cl_ord_id, "own-id-1");
        Norq::BatchOrderRequest batch{&own, 1, 77, 0};
        Norq::OrderList batched = api->batchOrdersEx(Norq::ACCOUNT_STOCK, batch);
        Norq::Order cancel = api->cancelOrder(Norq::ACCOUNT_STOCK, placed.order_id, 0, 0);
        int32_t reply = api->enableOrderReply(true);
        strategyRecorder().events.back().numbers = {placed.status, placed.entrust_type, batched.getSize(),
                                                    batched.get(0).batch_no, reply};
        strategyRecorder().events.back().texts = {placed.order_id, batched.get(0).order_id, cancel.orig_order_id};
    }

    // Reads orders, positions, funds, bars and reference data back through
    // the system API, starts an instance, publishes a message, and records
    // what came back.
    void query(Norq::IZqContext* ctx) {
        Norq::INorqSysApi* api = ctx->getSysApi();
        Norq::TradeQuery filter{};
        filter.own_only = true;
        Norq::OrderList orders = api->getOrders(Norq::ACCOUNT_STOCK, filter);
        Norq::PositionList positions = api->getPositions(Norq::ACCOUNT_STOCK, "600000.SH");
        Norq::FundInfo fund = api->getFundInfo(Norq::ACCOUNT_STOCK);
        const Norq::KLineQuery barQuery = {"600000.SH", 20240102, 0, "kline_1m", 0, false};
        Norq::KLineDataList bars = api->getKLineData(barQuery);
        Norq::SecurityDetial detail = api->getSymbolDetial("600000.SH");
        Norq::StrategyParams childParams;
        int32_t started = api->startStrategy("/s/child.so", childParams, "child", false);
        int32_t published = api->publishCustomMsg(10001, "hi");
        fake::StrategyEvent& event = strategyRecorder().events.back();
        event.numbers.insert(event.numbers.end(), {orders.getSize(), orders.totalCount(), positions.getSize(),
                                                   static_cast<int64_t>(fund.available_cash), bars.getSize(),
                                                   detail.round_lot, started, published});
        event.texts.insert(event.texts.end(), {orders.get(0).order_id, positions.get(0).symbol, bars.get(1).symbol});
    }

    // Reaches the ETF, margin and option handlers through the context by the
    // slots this library was compiled against, and records what came back.
    void extensions(Norq::IZqContext* ctx) {
        Norq::EtfInfo etf = ctx->getEtfHandler()->getEtfInfo("510050");
        const Norq::MarginQtyRequest qty = {"600000.SH", 1, 0, "", 7, 0};
        int64_t tradable = ctx->getMarginHandler()->getAvaliableMarginQty(qty);
        Norq::Order frozen = ctx->getOptionTradeHandler()->underlyingSecurityFreeze("510050.SH", 100, true);
        fake::StrategyEvent& event = strategyRecorder().events.back();
        event.numbers.insert(event.numbers.end(), {etf.report_unit, tradable, frozen.status, frozen.side});
        event.texts.insert(event.texts.end(), {etf.etf_fund_symbol, frozen.order_id});
    }

    template <typename Record>
    void noteRecord(int slot, Norq::IZqContext* ctx, const Record* record) {
        note(slot, ctx, {}, {}, record);
        if (!record) return;
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(record);
        strategyRecorder().events.back().bytes.assign(bytes, bytes + sizeof(Record));
    }

    void note(int slot, Norq::IZqContext* ctx, std::vector<int64_t> numbers = {}, std::vector<std::string> texts = {},
              const void* pointer = nullptr) {
        fake::StrategyRecorder& recorder = strategyRecorder();
        recorder.events.push_back(fake::StrategyEvent{slot, ctx, std::move(numbers), std::move(texts), pointer, {}});
        if (recorder.throwInSlot != slot) return;
        if (recorder.throwUnknown) throw 42;
        throw std::runtime_error("boom");
    }
};

}  // namespace

#if !defined(TEST_STRATEGY_NO_EXPORT)
extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    static TestStrategy strategy;
    ++strategyRecorder().handlerRequests;
#if defined(TEST_STRATEGY_NULL_HANDLER)
    return nullptr;
#else
    strategyRecorder().handler = &strategy;
    return &strategy;
#endif
}
#else
extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* someOtherExport() {
    return nullptr;
}
#endif
