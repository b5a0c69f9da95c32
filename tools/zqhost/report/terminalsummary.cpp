#include "terminalsummary.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "faultsummary.h"
#include "figures.h"
#include "numbertext.h"

namespace zqhost {

std::string terminalSummary(const RunResult& run) {
    Figures f = computeFigures(run);
    std::vector<std::pair<std::string, std::string>> lines = {
        {"period", run.firstBar + " to " + run.lastBar},
        {"bars", std::to_string(run.bars)},
        {"orders", std::to_string(run.orders.size())},
        {"fills", std::to_string(run.fills.size())},
        {"final cash", moneyText(run.finalCash)},
        {"equity", moneyText(run.finalEquity)},
        {"P&L", signedMoneyText(f.pnl)},
        {"return", percentText(f.totalReturn, true)},
        {"max drawdown", percentText(f.maxDrawdown.fraction)},
        {"win rate", percentText(f.winRate) + " (" + roundTripsNote(f.roundTrips) + ")"},
        {"Sharpe ratio", ratioText(f.sharpe)},
        {"commission", moneyText(f.commission)},
    };
    if (!run.faults.plan.empty()) lines.emplace_back("faults", faultsLine(run.faults));
    std::size_t width = 0;
    for (const auto& line : lines) width = std::max(width, line.first.size());
    std::string out;
    for (const auto& [label, value] : lines) out += label + std::string(width + 2 - label.size(), ' ') + value + "\n";
    return out;
}

}  // namespace zqhost
