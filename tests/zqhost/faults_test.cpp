// The host misbehaving on purpose (--faults): the plan as users write it,
// the account's fill gate, the faulty layer in front of a local host and
// its simulated account, and what the run's result says of it.
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "barsmarket.h"
#include "dataprovider.h"
#include "faultplan.h"
#include "faultsummary.h"
#include "faultyhost.h"
#include "fixedtext.h"
#include "norq/records.h"
#include "summary.h"
#include "terminalsummary.h"
#include "zq/hostcodes.h"
#include "zq/hostrows.h"

namespace {

using namespace zqhost;

// Each case gives the plan's own text, or the error.
TEST(FaultPlanText, ReadsEveryKindAndNamesWhatIsWrong) {
    const struct { const char* name; const char* text; const char* expected; } cases[] = {
        {"every kind",
         "reject=0.05,partial=0.2,report-delay=3,duplicate-report=0.02,query-fail=0.05,slow-call=0.01:200ms",
         "reject=0.05,partial=0.2,report-delay=3,duplicate-report=0.02,query-fail=0.05,slow-call=0.01:200ms"},
        {"any order, seconds", "slow-call=1:1.5s,reject=1", "reject=1,slow-call=1:1500ms"},
        {"zero rates are no faults", "reject=0,report-delay=0", "none"},
        {"unknown kind", "rejects=0.1",
         "unknown fault 'rejects' (one of: reject, partial, report-delay, duplicate-report, query-fail, slow-call)"},
        {"share above 1", "reject=5", "reject takes a share from 0 to 1, got '5'"},
        {"negative share", "partial=-0.1", "partial takes a share from 0 to 1, got '-0.1'"},
        {"not a number", "query-fail=often", "query-fail takes a share from 0 to 1, got 'often'"},
        {"fractional delay", "report-delay=1.5", "report-delay takes a whole number of bars from 0 to 100000, got '1.5'"},
        {"delay without unit", "slow-call=0.1:200",
         "slow-call takes SHARE:DELAY with the delay in ms or s, e.g. 0.01:200ms, got '0.1:200'"},
        {"delay without share", "slow-call=200ms",
         "slow-call takes SHARE:DELAY with the delay in ms or s, e.g. 0.01:200ms, got '200ms'"},
        {"slow share out of range", "slow-call=2:1ms", "slow-call takes a share from 0 to 1, got '2'"},
        {"no value", "reject", "entry 'reject' is not NAME=VALUE"},
        {"no name", "=0.1", "entry '=0.1' is not NAME=VALUE"},
        {"empty entry", "reject=0.1,,partial=0.1", "entry '' is not NAME=VALUE"},
        {"twice", "reject=0.1,reject=0.2", "reject is given twice"},
        {"trailing comma", "reject=0.1,", "the plan ends with a comma"},
        {"empty", "", "the plan is empty; give NAME=VALUE entries, e.g. reject=0.05,report-delay=3"},
    };
    for (const auto& c : cases) {
        FaultPlan plan;
        std::string error;
        bool ok = parseFaultPlan(c.text, plan, error);
        EXPECT_EQ(ok ? faultPlanText(plan) : error, c.expected) << c.name;
    }
}

Bar bar(int minute, double price) {
    return {"600000.SH", 0, 60, 20240102093000 + minute * 100, 1704187800 + minute * 60, price, price, price, price,
            100000, 0};
}

struct Delivery {
    uint32_t id;
    std::string order;   // the host's order number, for reports
    std::string status;  // order reports
    std::vector<uint8_t> row;
    int bar;
};

// A replay without the adapter: bars 0..kBars-1, a buy placed on every
// third bar and a sell of it two bars later, every push taken as the
// replay takes it.
struct FaultyReplay {
    static constexpr int kBars = 30;

    static std::vector<Bar> bars() {
        std::vector<Bar> bars;
        for (int i = 0; i < kBars; ++i) bars.push_back(bar(i, 10 + i % 4));
        return bars;
    }

    explicit FaultyReplay(const char* plan) {
        FaultPlan faults;
        std::string error;
        EXPECT_TRUE(!plan || parseFaultPlan(plan, faults, error)) << error;
        if (plan) faulty = std::make_unique<FaultyHost>(faults, 7, host, data, market, account);
    }

    std::vector<Delivery> run() {
        zq::HostServices& services = faulty ? static_cast<zq::HostServices&>(*faulty) : host;
        for (int i = 0; i < kBars; ++i) {
            market.advanceTo(static_cast<size_t>(i));
            host.reportChanges(account.onBar(market.bars()[static_cast<size_t>(i)]));
            take(i);
            if (i % 3 != 1) {
                zq::HostOrderRecord record = order((i % 3 ? "s" : "b") + std::to_string(i), i % 3 ? 2 : 1, 300);
                submitted.push_back(services.SubmitOrder(&record, nullptr));
            }
            take(i);
        }
        return delivered;
    }

    void take(int barIndex) {
        Push push;
        while (faulty ? faulty->takePush(push) : host.takePush(push)) {
            zq::OrderRow order{};
            zq::ExecutionRow execution{};
            if (push.id == zq::kNotifyOrderReport) std::memcpy(&order, push.row.data(), sizeof order);
            if (push.id == zq::kNotifyExecutionReport) std::memcpy(&execution, push.row.data(), sizeof execution);
            delivered.push_back({push.id, fixedText(order.entrust_no) + fixedText(execution.entrust_no),
                                 fixedText(order.status), push.row, barIndex});
        }
    }

    BarsMarket market{bars()};
    SimAccount account{{1000000, 0, false}, {"600000.SH"}};
    LocalHost host{LocalHost::Settings{}, &market, &account};
    ReplayData data{market, account};
    std::unique_ptr<FaultyHost> faulty;
    std::vector<int32_t> submitted;
    std::vector<Delivery> delivered;
};

std::map<std::string, std::vector<const Delivery*>> byOrder(const std::vector<Delivery>& deliveries) {
    std::map<std::string, std::vector<const Delivery*>> orders;
    for (const Delivery& d : deliveries) {
        if (!d.order.empty()) orders[d.order].push_back(&d);
    }
    return orders;
}

int64_t injected(const FaultyHost& host, const char* kind) {
    for (const FaultCount& count : host.tally().injected) {
        if (count.kind == kind) return count.count;
    }
    return -1;
}

TEST(FaultyHost, HeldAndRepeatedReportsKeepEachOrdersSequenceAndLoseNothing) {
    std::vector<Delivery> plain = FaultyReplay(nullptr).run();
    FaultyReplay faulty("report-delay=3,duplicate-report=0.3");
    std::vector<Delivery> delivered = faulty.run();
    int64_t duplicates = injected(*faulty.faulty, "duplicate-report");
    ASSERT_GT(duplicates, 0);
    ASSERT_GT(injected(*faulty.faulty, "report-delay"), 0);
    EXPECT_EQ(delivered.size(), plain.size() + static_cast<size_t>(duplicates));
    auto expected = byOrder(plain);
    auto got = byOrder(delivered);
    ASSERT_EQ(got.size(), expected.size());
    int late = 0;
    for (auto& [order, reports] : expected) {
        std::vector<const Delivery*>& seen = got[order];
        ASSERT_FALSE(seen.empty()) << order;
        EXPECT_EQ(seen.front()->id, 1081u) << order << ": the order's own report comes first";
        size_t j = 0;
        for (const Delivery* want : reports) {
            ASSERT_LT(j, seen.size()) << order;
            EXPECT_EQ(seen[j]->row, want->row) << order << " report " << j;
            EXPECT_LE(seen[j]->bar, want->bar + 3) << order << " report " << j << " is at most 3 bar times late";
            late += seen[j]->bar > want->bar;
            while (++j < seen.size() && seen[j]->row == want->row) {
            }  // its repeat
        }
        EXPECT_EQ(j, seen.size()) << order;
    }
    EXPECT_GT(late, 0);
}

TEST(FaultyHost, RejectionsRefuseAtPlacementOrRejectAcceptedOrdersWithTheirReport) {
    FaultyReplay replay("reject=1");
    std::vector<Delivery> delivered = replay.run();
    const FaultyHost& host = *replay.faulty;
    int64_t refused = injected(host, "refused"), rejected = injected(host, "rejected-after-acceptance");
    EXPECT_TRUE(refused > 0 && rejected > 0) << refused << " " << rejected;
    int64_t failedCalls = 0;
    for (int32_t status : replay.submitted) failedCalls += status != 0;
    EXPECT_EQ(failedCalls, refused);
    EXPECT_EQ(static_cast<int64_t>(replay.account.orders().size()),
              static_cast<int64_t>(replay.submitted.size()) - refused);
    auto reports = byOrder(delivered);
    int64_t rejectedInAccount = 0;
    for (const SimOrder& o : replay.account.orders()) {
        if (o.reason.find("fault injected by --faults") == std::string::npos) continue;
        ++rejectedInAccount;
        EXPECT_TRUE(o.status == kRejected && o.filled == 0) << o.id;
        ASSERT_EQ(reports[o.entrustNo].size(), 2u) << o.id;
        EXPECT_EQ(reports[o.entrustNo][0]->status + reports[o.entrustNo][1]->status, "19") << o.id;
    }
    EXPECT_EQ(rejectedInAccount, rejected);
    EXPECT_DOUBLE_EQ(replay.account.reservedCash(), 0) << "rejected buys hold no cash back";
}

TEST(FaultyHost, PartialOrdersFillOverSeveralBarsInWholeLots) {
    FaultyReplay replay("partial=1");
    replay.run();
    EXPECT_GT(injected(*replay.faulty, "partial"), 0);
    std::map<size_t, int> fillsOf;
    for (const SimFill& fill : replay.account.fills()) {
        ++fillsOf[fill.order];
        EXPECT_TRUE(fill.amount % 100 == 0 && fill.amount < 300) << fill.amount;
    }
    for (const auto& [index, fills] : fillsOf)
        EXPECT_TRUE(replay.account.orders()[index].status != kFilled || fills >= 2) << replay.account.orders()[index].id;
}

TEST(FaultyHost, FailedQueriesGiveTheHostsFailureAndOtherCallsPassThrough) {
    FaultyReplay replay("query-fail=1");
    replay.market.advanceTo(0);
    zq::HostResult result{};
    result.code = -1;
    EXPECT_EQ(replay.faulty->Request(zq::kCodeQuery, R"({"params":{"msg_type":2100}})", &result), -1);
    EXPECT_EQ(result.data, nullptr);
    std::vector<uint8_t> snapshot(zq::kSnapshotSize, 0xAB);
    replay.faulty->GetSnapshot("600000.SH", snapshot.data());
    EXPECT_EQ(snapshot, std::vector<uint8_t>(zq::kSnapshotSize, 0));
    ZqDataCall fund{"QueryFundQuota", std::vector<uint8_t>(64, 0), {}, {}};
    EXPECT_TRUE(replay.faulty->answer(fund).bytes.empty());
    EXPECT_EQ(injected(*replay.faulty, "query-fail"), 3);
    EXPECT_EQ(replay.faulty->GetInstanceId(), "local-1");
}

// A bar query may stop at the symbol and the start: the files' own period
// from then on to the simulated now. Without a start it has no answer.
TEST(ReplayData, AnswersABarQueryOfSymbolAndStartAlone) {
    FaultyReplay replay(nullptr);
    replay.run();
    for (const char* function : {"QueryKLineData", "QueryKLineDataFromInitDate"}) {
        ZqDataCall call{function, {}, {"600000.SH", "20240102093500"}, {}};
        EXPECT_EQ(replay.data.answer(call).bytes.size(), (FaultyReplay::kBars - 5) * sizeof(Norq::KLineData)) << function;
        call.texts.pop_back();
        EXPECT_TRUE(replay.data.answer(call).bytes.empty()) << function << " without a start";
    }
}

TEST(FaultSummary, TheSummaryAndTerminalSayWhatWasInjectedOnlyWhenAsked) {
    RunResult run;
    run.firstBar = run.lastBar = "2024-01-02 09:30:00";
    QJsonObject plain = QJsonDocument::fromJson(QByteArray::fromStdString(summaryJson(run))).object();
    EXPECT_FALSE(plain.contains("faults"));
    // Figures without their basis are null, not zero.
    QJsonObject figures = plain["figures"].toObject();
    EXPECT_TRUE(figures["winRate"].isNull() && figures["totalReturn"].isNull() && figures["trades"].toInt(-1) == 0);
    EXPECT_EQ(terminalSummary(run).find("faults"), std::string::npos);
    run.faults = {"reject=0.5,report-delay=2", 42, {{"refused", 3}, {"partial", 0}, {"report-delay", 9}}};
    QJsonObject faults =
        QJsonDocument::fromJson(QByteArray::fromStdString(summaryJson(run))).object()["faults"].toObject();
    EXPECT_EQ(
        QJsonDocument(faults).toJson(QJsonDocument::Compact).toStdString(),
        R"({"injected":{"partial":0,"refused":3,"report-delay":9},"plan":"reject=0.5,report-delay=2","seed":42,"total":12})");
    EXPECT_NE(terminalSummary(run).find(
                  "faults        12 injected (3 refused, 9 report-delay), plan reject=0.5,report-delay=2, seed 42\n"),
              std::string::npos)
        << terminalSummary(run);
}

}  // namespace
