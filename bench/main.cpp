// Runs every benchmark, then prints the goals as a table: each operation next
// to its floor measured in the same run (this machine is shared, so ratios
// are what count), or next to an absolute goal where one is set.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

enum class GoalKind { RatioAtMost, NanosecondsAtMost, PerSecondAtLeast, Reported };

struct Goal {
    const char* operation;
    const char* measured;
    const char* floor;  // null for absolute goals
    GoalKind kind;
    double bound;
};

const Goal kGoals[] = {
    {"bar push 1061 to onKLine", "BM_BarPushToOnKLine", "BM_BarJsonFloor", GoalKind::RatioAtMost, 1.2},
    {"bar push 1061 plain, sample text", "BM_BarPushPlain/sample", "BM_BarPushQt/sample", GoalKind::RatioAtMost, 0.3},
    {"  the same, 17 significant digits", "BM_BarPushPlain/digits17", "BM_BarPushQt/digits17", GoalKind::RatioAtMost, 0.3},
    {"  the same, shortest texts", "BM_BarPushPlain/shortest", "BM_BarPushQt/shortest", GoalKind::RatioAtMost, 0.3},
    {"order row to Order", "BM_OrderFromRow", "BM_OrderRowMemcpy", GoalKind::NanosecondsAtMost, 100},
    {"order to host slot 24", "BM_OrderToHost", "BM_UuidFloor", GoalKind::RatioAtMost, 1.3},
    {"log line to host slot 6", "BM_LogLineToHost", "BM_LogLineFloor", GoalKind::RatioAtMost, 1.2},
    {"dropped log line", "BM_LogLineDropped", "BM_LogLineToHost", GoalKind::RatioAtMost, 1.0},
    {"getOrders, 100 000 rows, per row", "BM_GetOrders/100000/manual_time", "BM_GetOrders/1000/manual_time", GoalKind::RatioAtMost, 1.5},
    {"  the same, pages fresh each query", "BM_GetOrdersFreshPages/100000/manual_time", "BM_GetOrdersFreshPages/1000/manual_time", GoalKind::Reported, 0},
    {"wall clock text", "BM_WallClockText", "BM_QtLocalTimeText", GoalKind::RatioAtMost, 1.0},
    {"zqhost replay, bars", "BM_ReplayBars/100000", nullptr, GoalKind::PerSecondAtLeast, 200000},
    {"account, per bar at 10 000 000", "BM_AccountBars/10000000", "BM_AccountBars/100000", GoalKind::RatioAtMost, 1.2},
    {"  at 1 000 000 bars", "BM_AccountBars/1000000", "BM_AccountBars/100000", GoalKind::Reported, 0},
};

// The console report, plus each run's CPU time per item and items per second.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // With repetitions, the median of each; otherwise the one run.
            bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type != Run::RT_Iteration && !median) continue;
            const std::string name = run.run_name.str();
            // Manual timings are real times; everything else counts CPU time.
            bool manual = name.find("/manual_time") != std::string::npos;
            double time = manual ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            double nanoseconds = time * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            nsPerItem[name] = nanoseconds / perRow(name);
            auto rate = run.counters.find("items_per_second");
            if (rate != run.counters.end()) perSecond[name] = rate->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> nsPerItem;
    std::map<std::string, double> perSecond;

private:
    // Benchmarks over N rows or bars compare per row or bar.
    static double perRow(const std::string& name) {
        if (name.rfind("BM_GetOrders", 0) != 0 && name.rfind("BM_AccountBars", 0) != 0) return 1;
        return std::strtod(name.c_str() + name.find('/') + 1, nullptr);
    }
};

void printGoals(const GoalReporter& reporter) {
    std::printf("\n%-34s %14s %14s %8s %10s  %s\n", "operation", "ours", "floor", "ratio", "goal", "");
    for (const Goal& goal : kGoals) {
        auto ours = reporter.nsPerItem.find(goal.measured);
        if (ours == reporter.nsPerItem.end()) continue;
        if (goal.kind == GoalKind::PerSecondAtLeast) {
            auto rate = reporter.perSecond.find(goal.measured);
            double value = rate == reporter.perSecond.end() ? 0 : rate->second;
            std::printf("%-34s %12.0f/s %14s %8s %9.0f/s  %s\n", goal.operation, value, "-", "-", goal.bound,
                        value >= goal.bound ? "met" : "NOT MET");
            continue;
        }
        auto floor = goal.floor ? reporter.nsPerItem.find(goal.floor) : reporter.nsPerItem.end();
        double floorNs = floor == reporter.nsPerItem.end() ? 0 : floor->second;
        double ratio = floorNs > 0 ? ours->second / floorNs : 0;
        bool met = goal.kind == GoalKind::RatioAtMost ? ratio <= goal.bound : ours->second <= goal.bound;
        char bound[32];
        std::snprintf(bound, sizeof bound, goal.kind == GoalKind::RatioAtMost ? "<= %.1fx" : "<= %.0f ns", goal.bound);
        if (goal.kind == GoalKind::Reported) std::snprintf(bound, sizeof bound, "-");
        std::printf("%-34s %11.1f ns %11.1f ns %7.2fx %10s  %s\n", goal.operation, ours->second, floorNs, ratio, bound,
                    goal.kind == GoalKind::Reported ? "(reported)" : met ? "met" : "NOT MET");
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Three repetitions and their medians unless told otherwise: one noisy
    // run on a shared machine should not decide a goal.
    std::vector<char*> args(argv, argv + argc);
    const bool repetitionsGiven = std::any_of(args.begin(), args.end(), [](const char* arg) {
        return std::strncmp(arg, "--benchmark_repetitions", 23) == 0;
    });
    char repetitions[] = "--benchmark_repetitions=3";
    char aggregatesOnly[] = "--benchmark_display_aggregates_only=true";
    if (!repetitionsGiven) {
        args.push_back(repetitions);
        args.push_back(aggregatesOnly);
    }
    argc = static_cast<int>(args.size());
    args.push_back(nullptr);
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printGoals(reporter);
    return 0;
}
