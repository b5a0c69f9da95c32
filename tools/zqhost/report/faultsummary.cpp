#include "faultsummary.h"

#include <QJsonValue>

namespace zqhost {

namespace {

int64_t totalOf(const FaultsRun& faults) {
    int64_t total = 0;
    for (const FaultCount& count : faults.injected) total += count.count;
    return total;
}

}  // namespace

QJsonObject faultsJson(const FaultsRun& faults) {
    QJsonObject injected;
    for (const FaultCount& count : faults.injected) {
        injected.insert(QString::fromStdString(count.kind), static_cast<double>(count.count));
    }
    return {{"plan", QString::fromStdString(faults.plan)},
            {"seed", static_cast<double>(faults.seed)},
            {"injected", injected},
            {"total", static_cast<double>(totalOf(faults))}};
}

std::string faultsLine(const FaultsRun& faults) {
    std::string kinds;
    for (const FaultCount& count : faults.injected) {
        if (count.count == 0) continue;
        kinds += (kinds.empty() ? "" : ", ") + std::to_string(count.count) + " " + count.kind;
    }
    std::string line = std::to_string(totalOf(faults)) + " injected";
    if (!kinds.empty()) line += " (" + kinds + ")";
    return line + ", plan " + faults.plan + ", seed " + std::to_string(faults.seed);
}

}  // namespace zqhost
