// What `zqhost --faults SPEC` makes the local host do wrong, and how often:
// the plan as the user wrote it, read into rates and delays, and the
// seeded dice that decide each fault. One die per kind of fault, so that
// changing one rate leaves the other kinds' decisions where they were; the
// same plan and seed give the same faults in the same places.
// Plain values; one thread.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace zqhost {

struct FaultPlan {
    double reject = 0;           // share of orders refused or rejected after acceptance
    double partial = 0;          // share of orders whose fills are split over several bars
    int reportDelay = 0;         // order and execution reports arrive up to this many bar times late
    double duplicateReport = 0;  // share of reports delivered twice
    double queryFail = 0;        // share of queries answered with the host's failure
    double slowCall = 0;         // share of host calls that take slowCallMs longer
    int slowCallMs = 0;

    bool empty() const;
};

// Reads "name=value,..." (for example "reject=0.05,slow-call=0.01:200ms").
// On a bad plan returns false with the reason, naming the entry, in `error`.
bool parseFaultPlan(const std::string& text, FaultPlan& plan, std::string& error);

// The plan in the form parseFaultPlan reads, every kind it holds, in a fixed order.
std::string faultPlanText(const FaultPlan& plan);

// The kinds of fault, as counted and as named in the log and the summary.
enum class FaultKind { Refused, RejectedAfterAcceptance, Partial, ReportDelay, DuplicateReport, QueryFail, SlowCall };
constexpr int kFaultKinds = 7;
const char* faultKindName(FaultKind kind);

// The dice of one kind of fault, from the run's seed.
class FaultDie {
public:
    FaultDie(uint64_t seed, FaultKind kind);
    // True with the probability `share` (never for 0, always for 1).
    bool roll(double share);
    // A whole number from `low` to `high`, both included.
    int between(int low, int high);

private:
    std::mt19937_64 engine_;
};

}  // namespace zqhost
