// zqhost --faults run as a user runs it: the sample strategies under a plan
// with every fault at a high rate, the same seed giving the same run, and
// random plans over a range of seeds (ZQ_FAULT_SEEDS=FIRST-LAST, default
// 1-4) driving the adapter through the misbehaving host. Built with the
// sanitizers, the runs are checked by them too: a report of theirs fails
// the run's exit status.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

namespace {

const QString kSampleBars = ZQ_SOURCE_DIR "/examples/data/sample_bars.csv";
const QString kEveryFault =
    "reject=0.3,partial=0.5,report-delay=4,duplicate-report=0.3,query-fail=0.3,slow-call=0.02:1ms";
const char* const kKinds[] = {
    "refused", "rejected-after-acceptance", "partial", "report-delay", "duplicate-report", "query-fail", "slow-call"};

struct Sample { const char* name; const char* library; const char* params; };

// Parameters that make each sample trade often over the sample bars.
const Sample kSamples[] = {
    {"macross", "libmacross.so", R"({"short_window":3,"long_window":8,"volume":300,"status_every":600})"},
    {"dipbuyer", "libdipbuyer.so", R"({"symbol":"600000.SH","check_every":120,"dip":0.0005,"target":0.0005})"},
    {"pystrategy", "libpystrategy.so", R"({"window":5,"volume":200})"},
};

// The samples, and a test strategy that reaches nearly every host service
// from onInit: orders, a batch, a cancel, queries, the ETF, margin and option
// handlers.
const Sample kFuzzed[] = {
    kSamples[0], kSamples[1], kSamples[2], {"teststrategy_trader", "libteststrategy_trader.so", "{}"}};

struct HostRun {
    int status = -1;
    std::string output;   // standard output and error
    std::string summary;  // the summary file
    QJsonObject json;
};

HostRun runZqhost(QStringList arguments) {
    QTemporaryDir dir;
    QProcess zqhost;
    zqhost.setProcessChannelMode(QProcess::MergedChannels);
    zqhost.start(ZQHOST_PATH, arguments << "--summary" << dir.path() + "/summary.json");
    zqhost.waitForFinished(-1);
    QFile file(dir.path() + "/summary.json");
    HostRun run{zqhost.exitStatus() == QProcess::NormalExit ? zqhost.exitCode() : -1, zqhost.readAll().toStdString(),
                file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "", {}};
    run.json = QJsonDocument::fromJson(QByteArray::fromStdString(run.summary)).object();
    return run;
}

QStringList sampleArguments(const Sample& sample, const QString& plan, unsigned long long seed) {
    return {"--account", "stock=880001", "--bars", kSampleBars, "--params", sample.params, "--faults", plan,
            "--fault-seed", QString::number(seed), QString(TEST_LIB_DIR "/") + sample.library};
}

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

bool near(double a, double b) {
    return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(b));
}

// The account at the end agrees with its fills: cash is the starting cash
// moved by every fill, holdings are the fills' sum and never negative, every
// order filled what its fills say, and equity is cash plus holdings at
// their last price.
void expectConsistentAccount(const QJsonObject& s, const std::string& name) {
    double cash = s["startingCash"].toDouble(), equity = s["finalCash"].toDouble();
    std::map<QString, double> held, filledOf, reported;
    for (const QJsonValue& value : s["fills"].toArray()) {
        QJsonObject f = value.toObject();
        double sign = f["side"].toInt() == 1 ? 1 : -1, amount = f["amount"].toDouble();
        cash -= sign * f["price"].toDouble() * amount + f["commission"].toDouble();
        held[f["symbol"].toString()] += sign * amount;
        filledOf[f["orderId"].toString()] += amount;
    }
    EXPECT_TRUE(near(s["finalCash"].toDouble(), cash)) << name << ": cash " << equity << ", the fills make " << cash;
    for (const QJsonValue& value : s["positions"].toArray()) {
        QJsonObject p = value.toObject();
        reported[p["symbol"].toString()] = p["amount"].toDouble();
        equity += p["amount"].toDouble() * p["lastPrice"].toDouble();
    }
    for (const auto& [symbol, amount] : held) {
        EXPECT_GE(amount, 0) << name << ": negative holding of " << symbol.toStdString();
        EXPECT_EQ(reported[symbol], amount) << name << ": position of " << symbol.toStdString();
    }
    EXPECT_TRUE(near(s["finalEquity"].toDouble(), equity))
        << name << ": equity " << s["finalEquity"].toDouble() << ", cash and holdings make " << equity;
    for (const QJsonValue& value : s["orders"].toArray()) {
        QJsonObject o = value.toObject();
        EXPECT_EQ(o["filled"].toDouble(), filledOf[o["id"].toString()]) << name << o["id"].toString().toStdString();
        EXPECT_LE(o["filled"].toInt(), o["amount"].toInt()) << name;
    }
}

// The run ended normally, nothing crashed or threw, the account holds
// together, and the summary counts exactly the faults the log shows.
void expectSurvived(const HostRun& run, const std::string& name) {
    EXPECT_EQ(run.status, 0) << name << "\n" << run.output.substr(std::max<size_t>(run.output.size(), 4000) - 4000);
    for (const char* bad : {"策略回调抛出异常", "crashed", "did not return", "runtime error", "Sanitizer"})
        EXPECT_EQ(run.output.find(bad), std::string::npos) << name << ": the log says " << bad;
    ASSERT_FALSE(run.json.isEmpty()) << name << ": no summary";
    expectConsistentAccount(run.json, name);
    QJsonObject injected = run.json["faults"].toObject()["injected"].toObject();
    for (const char* kind : kKinds)
        EXPECT_EQ(injected[kind].toDouble(-1), count(run.output, std::string("[FAULT] ") + kind + ":")) << name << kind;
}

TEST(SampleStrategiesUnderFaults, SurviveEveryKindAtAHighRate) {
    std::map<std::string, double> seen;
    for (const Sample& sample : kSamples) {
        HostRun run = runZqhost(sampleArguments(sample, kEveryFault, 1));
        expectSurvived(run, sample.name);
        EXPECT_GT(run.json["orders"].toArray().size(), 3) << sample.name << " traded too little to tell";
        QJsonObject injected = run.json["faults"].toObject()["injected"].toObject();
        for (const char* kind : kKinds) seen[kind] += injected[kind].toDouble();
    }
    for (const char* kind : kKinds) EXPECT_GT(seen[kind], 0) << kind << " never happened";
}

std::string withoutOrderIds(const std::string& text) {
    static const QRegularExpression uuid("\\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\}");
    return QString::fromStdString(text).replace(uuid, "{id}").toStdString();
}

TEST(FaultRuns, TheSameSeedGivesTheSameRunByteForByteOrderIdsAside) {
    HostRun first = runZqhost(sampleArguments(kSamples[0], kEveryFault, 5));
    HostRun again = runZqhost(sampleArguments(kSamples[0], kEveryFault, 5));
    HostRun other = runZqhost(sampleArguments(kSamples[0], kEveryFault, 6));
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_NE(first.output.find("[HOST] fault plan: " + kEveryFault.toStdString() + ", seed 5\n"), std::string::npos);
    EXPECT_EQ(withoutOrderIds(again.output), withoutOrderIds(first.output));
    EXPECT_EQ(withoutOrderIds(again.summary), withoutOrderIds(first.summary));
    EXPECT_NE(withoutOrderIds(other.output), withoutOrderIds(first.output)) << "the seed decides the faults";
}

// A plan of its own for each seed: each kind present or not, at any rate.
QString randomPlan(unsigned long long seed) {
    std::mt19937_64 dice(seed);
    auto share = [&dice] { return QString::number(static_cast<double>(dice() % 1000) / 1000.0); };
    QStringList entries;
    for (const char* kind : {"reject", "partial", "duplicate-report", "query-fail"}) {
        if (dice() % 4) entries << QString(kind) + "=" + share();
    }
    if (dice() % 4) entries << "report-delay=" + QString::number(dice() % 8);
    if (dice() % 4) entries << "slow-call=" + QString::number(static_cast<double>(dice() % 50) / 1000.0) + ":1ms";
    return entries.isEmpty() ? QString("reject=1") : entries.join(',');
}

TEST(FaultFuzz, RandomPlansOverARangeOfSeedsLeaveTheLibraryAndAccountWhole) {
    unsigned long long first = 1, last = 4;
    if (const char* range = std::getenv("ZQ_FAULT_SEEDS")) {
        ASSERT_EQ(std::sscanf(range, "%llu-%llu", &first, &last), 2) << "ZQ_FAULT_SEEDS is FIRST-LAST, got " << range;
    }
    for (unsigned long long seed = first; seed <= last; ++seed) {
        const Sample& sample = kFuzzed[seed % 4];
        QString plan = randomPlan(seed);
        std::string name = std::string(sample.name) + " --faults " + plan.toStdString() + " --fault-seed ";
        expectSurvived(runZqhost(sampleArguments(sample, plan, seed)), name + std::to_string(seed));
    }
}

}  // namespace
