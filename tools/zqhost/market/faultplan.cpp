#include "faultplan.h"

#include "numberarg.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace zqhost {

namespace {

constexpr const char* kKnown = "reject, partial, report-delay, duplicate-report, query-fail, slow-call";
constexpr int kMaxReportDelay = 100000;  // bar times
constexpr double kMaxSlowCallMs = 3600000;


bool readShare(const std::string& name, const std::string& value, double& out, std::string& error) {
    if (parseAmount(value, 0, 1, out)) return true;
    error = name + " takes a share from 0 to 1, got '" + value + "'";
    return false;
}

// "200ms", "1.5s".
bool readDelay(const std::string& text, int& milliseconds) {
    size_t unit = text.find_first_not_of("0123456789.");
    if (unit == 0 || unit == std::string::npos) return false;
    std::string suffix = text.substr(unit);
    double scale = suffix == "ms" ? 1 : suffix == "s" ? 1000 : 0;
    double amount = 0;
    if (scale == 0 || !parseAmount(text.substr(0, unit), 0, kMaxSlowCallMs / scale, amount)) return false;
    milliseconds = static_cast<int>(std::lround(amount * scale));
    return true;
}

bool readSlowCall(const std::string& value, FaultPlan& plan, std::string& error) {
    size_t colon = value.find(':');
    if (colon == std::string::npos || !readDelay(value.substr(colon + 1), plan.slowCallMs)) {
        error = "slow-call takes SHARE:DELAY with the delay in ms or s, e.g. 0.01:200ms, got '" + value + "'";
        return false;
    }
    return readShare("slow-call", value.substr(0, colon), plan.slowCall, error);
}

bool readReportDelay(const std::string& value, FaultPlan& plan, std::string& error) {
    double bars = 0;
    if (!parseAmount(value, 0, kMaxReportDelay, bars) || bars != std::floor(bars)) {
        error = "report-delay takes a whole number of bars from 0 to " + std::to_string(kMaxReportDelay) + ", got '" +
                value + "'";
        return false;
    }
    plan.reportDelay = static_cast<int>(bars);
    return true;
}

bool readEntry(const std::string& name, const std::string& value, FaultPlan& plan, std::string& error) {
    if (name == "reject") return readShare(name, value, plan.reject, error);
    if (name == "partial") return readShare(name, value, plan.partial, error);
    if (name == "duplicate-report") return readShare(name, value, plan.duplicateReport, error);
    if (name == "query-fail") return readShare(name, value, plan.queryFail, error);
    if (name == "report-delay") return readReportDelay(value, plan, error);
    if (name == "slow-call") return readSlowCall(value, plan, error);
    error = "unknown fault '" + name + "' (one of: " + kKnown + ")";
    return false;
}

std::string shareText(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", share);
    return text;
}

uint64_t splitMix(uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

}  // namespace

bool FaultPlan::empty() const {
    return reject == 0 && partial == 0 && reportDelay == 0 && duplicateReport == 0 && queryFail == 0 &&
           (slowCall == 0 || slowCallMs == 0);
}

bool parseFaultPlan(const std::string& text, FaultPlan& plan, std::string& error) {
    plan = FaultPlan();
    if (text.empty()) {
        error = "the plan is empty; give NAME=VALUE entries, e.g. reject=0.05,report-delay=3";
        return false;
    }
    std::istringstream in(text);
    std::string entry, seen = ",";
    while (std::getline(in, entry, ',')) {
        size_t eq = entry.find('=');
        std::string name = entry.substr(0, eq);
        if (eq == std::string::npos || eq == 0) {
            error = "entry '" + entry + "' is not NAME=VALUE";
            return false;
        }
        if (seen.find("," + name + ",") != std::string::npos) {
            error = name + " is given twice";
            return false;
        }
        seen += name + ",";
        if (!readEntry(name, entry.substr(eq + 1), plan, error)) return false;
    }
    if (text.back() == ',') {
        error = "the plan ends with a comma";
        return false;
    }
    return true;
}

std::string faultPlanText(const FaultPlan& plan) {
    std::string text;
    auto add = [&text](const std::string& entry) { text += (text.empty() ? "" : ",") + entry; };
    if (plan.reject > 0) add("reject=" + shareText(plan.reject));
    if (plan.partial > 0) add("partial=" + shareText(plan.partial));
    if (plan.reportDelay > 0) add("report-delay=" + std::to_string(plan.reportDelay));
    if (plan.duplicateReport > 0) add("duplicate-report=" + shareText(plan.duplicateReport));
    if (plan.queryFail > 0) add("query-fail=" + shareText(plan.queryFail));
    if (plan.slowCall > 0) add("slow-call=" + shareText(plan.slowCall) + ":" + std::to_string(plan.slowCallMs) + "ms");
    return text.empty() ? "none" : text;
}

const char* faultKindName(FaultKind kind) {
    static const char* const names[kFaultKinds] = {"refused",      "rejected-after-acceptance", "partial",
                                                   "report-delay", "duplicate-report",          "query-fail",
                                                   "slow-call"};
    return names[static_cast<int>(kind)];
}

FaultDie::FaultDie(uint64_t seed, FaultKind kind)
    : engine_(splitMix(seed ^ splitMix(static_cast<uint64_t>(kind) + 1))) {}

bool FaultDie::roll(double share) {
    double draw = static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    return draw < share;
}

int FaultDie::between(int low, int high) {
    if (high <= low) return low;
    return low + static_cast<int>(engine_() % static_cast<uint64_t>(high - low + 1));
}

}  // namespace zqhost
