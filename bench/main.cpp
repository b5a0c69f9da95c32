// Runs every benchmark, then sets the goals that compare two of them side by
// side next to what the run measured.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

struct Goal {
    const char* measured;
    const char* floor;
    double maxRatio;
};

const Goal kGoals[] = {
    {"BM_BarPushToOnKLine", "BM_BarJsonFloor", 1.2},
};

// The console report, plus each run's CPU time per iteration by name.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const Goal& goal : kGoals) {
        auto measured = reporter.times.find(goal.measured);
        auto floor = reporter.times.find(goal.floor);
        if (measured == reporter.times.end() || floor == reporter.times.end() || floor->second <= 0) continue;
        double ratio = measured->second / floor->second;
        std::printf("%s / %s = %.2f (goal: at most %.2f) %s\n", goal.measured, goal.floor, ratio, goal.maxRatio,
                    ratio <= goal.maxRatio ? "met" : "NOT MET");
    }
    return 0;
}
