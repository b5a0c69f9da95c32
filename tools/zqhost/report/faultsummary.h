// What the run's result says of the faults injected into it (zqhost
// --faults): the summary file's "faults" section and the closing terminal
// line. Both are absent from runs without a fault plan.
#pragma once

#include <QJsonObject>
#include <string>

#include "runresult.h"

namespace zqhost {

// {"plan": text, "seed": number, "injected": {kind: count, ...}, "total": number}
QJsonObject faultsJson(const FaultsRun& faults);

// "12 injected (3 refused, 2 report-delay, ...), plan ..., seed N": the kinds
// that happened only.
std::string faultsLine(const FaultsRun& faults);

}  // namespace zqhost
