#include "sweeprunner.h"

#include <QFile>
#include <chrono>
#include <cstdio>
#include <deque>

#include "childprocess.h"
#include "hostos.h"

namespace zqhost {

namespace {

using Clock = std::chrono::steady_clock;

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string paramsText(const ParamSet& params) {
    std::string text;
    for (const auto& [name, value] : params) text += (text.empty() ? "" : ", ") + name + "=" + value;
    return text;
}

std::string durationText(double seconds) {
    long s = static_cast<long>(seconds + 0.5);
    char text[32];
    if (s >= 3600) {
        std::snprintf(text, sizeof text, "%ldh %02ldm", s / 3600, s / 60 % 60);
    } else {
        std::snprintf(text, sizeof text, "%ldm %02lds", s / 60, s % 60);
    }
    return text;
}

// A run left half-way (the sweep was stopped) starts again from nothing.
void clearFolder(const std::string& folder) {
    for (const char* name : {"/log.txt", "/summary.json", "/report.html", "/exit-status"})
        QFile::remove(QString::fromStdString(folder + name));
}

class Progress {
public:
    Progress(std::size_t total, int jobs) : total_(total), jobs_(jobs), terminal_(zqhost::os::isTerminal(stderr)) {}

    void finished(bool failed, double seconds) {
        ++done_;
        failed_ += failed;
        spent_ += seconds;
        show();
    }
    void show() const {
        if (!terminal_) return;
        std::string left = done_ == 0 ? "" : ", about " + durationText(spent_ / done_ * (total_ - done_) / jobs_) + " left";
        std::fprintf(stderr, "\r\033[Ksweep: %zu of %zu sets done, %zu failed%s", done_, total_, failed_, left.c_str());
        std::fflush(stderr);
    }
    void end() const {
        if (terminal_) std::fprintf(stderr, "\n");
    }

private:
    std::size_t total_, done_ = 0, failed_ = 0;
    int jobs_;
    bool terminal_;
    double spent_ = 0;
};

}  // namespace

std::vector<std::string> setCommand(const RunPlan& plan, const SweepSet& set) {
    const std::string folder = setFolder(plan.sweepDir, set.id);
    std::vector<std::string> args{plan.executable};
    const std::vector<std::string>& runArgs = plan.runArgs.at(set.sample);
    args.insert(args.end(), runArgs.begin(), runArgs.end());
    for (const auto& [name, value] : set.params) args.insert(args.end(), {"--param", name + "=" + value});
    args.insert(args.end(), {"--summary", folder + "/summary.json"});
    if (plan.reports) args.insert(args.end(), {"--report", folder + "/report.html"});
    args.push_back(plan.library);
    return args;
}

std::string setShellCommand(const RunPlan& plan, const SweepSet& set) {
    const std::string folder = quoted(setFolder(plan.sweepDir, set.id));
    std::string run;
    for (const std::string& arg : setCommand(plan, set)) run += (run.empty() ? "" : " ") + quoted(arg);
    return "mkdir -p " + folder + " && cd " + folder + " && rm -f log.txt exit-status && s=$(date +%s%N); " + run +
           " >log.txt 2>&1; c=$?; e=$(date +%s%N); echo \"$c $(( (e - s) / 1000000 ))\" >exit-status.part && "
           "mv exit-status.part exit-status; exit $c";
}

int runSets(const RunPlan& plan, const std::vector<SweepSet>& sets, std::string& error) {
    std::deque<const SweepSet*> waiting;
    for (const SweepSet& set : sets) waiting.push_back(&set);
    std::map<long, std::pair<const SweepSet*, Clock::time_point>> running;
    Progress progress(sets.size(), plan.jobs);
    progress.show();
    int failed = 0;
    while (!waiting.empty() || !running.empty()) {
        while (!waiting.empty() && static_cast<int>(running.size()) < plan.jobs) {
            const SweepSet* set = waiting.front();
            waiting.pop_front();
            const std::string folder = setFolder(plan.sweepDir, set->id);
            clearFolder(folder);
            long pid = startChild(setCommand(plan, *set), folder + "/log.txt", error);
            if (pid < 0) {
                while (!running.empty()) running.erase(waitForChild().pid);
                progress.end();
                return -1;
            }
            running[pid] = {set, Clock::now()};
        }
        ChildExit exit = waitForChild();
        auto it = running.find(exit.pid);
        if (it == running.end()) {
            if (exit.pid < 0) break;
            continue;
        }
        const SweepSet& set = *it->second.first;
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - it->second.second).count();
        running.erase(it);
        bool ok = exit.status == 0 && QFile::exists(QString::fromStdString(setFolder(plan.sweepDir, set.id) + "/summary.json"));
        std::string written;
        if (!writeOutcome(plan.sweepDir, set.id, exit.status, ms, written)) std::fprintf(stderr, "\nzqhost sweep: %s\n", written.c_str());
        if (!ok) {
            ++failed;
            if (zqhost::os::isTerminal(stderr)) std::fprintf(stderr, "\r\033[K");
            std::vector<std::string> last = logTail(plan.sweepDir, set.id, 1);
            std::fprintf(stderr, "zqhost sweep: set %s (%s) failed with exit status %d%s; see %s/log.txt\n",
                         set.id.c_str(), paramsText(set.params).c_str(), exit.status,
                         last.empty() ? "" : (": " + last[0]).c_str(), setFolder(plan.sweepDir, set.id).c_str());
        }
        progress.finished(!ok, ms / 1000);
    }
    progress.end();
    return failed;
}

}  // namespace zqhost
