#!/usr/bin/env python3
"""Replays the sample bars through the moving-average strategy and checks
every figure of its summary against a computation of its own: round trips
matched again from the fills, the curve figures from the summary's equity,
exposure from the fills' positions, buy-and-hold from the bar file.
  check_figures.py ZQHOST LIBRARY BARS WORKDIR"""
import csv
import datetime
import json
import math
import os
import subprocess
import sys
from collections import defaultdict, deque

zqhost, library, bars, workdir = sys.argv[1:5]
os.makedirs(workdir, exist_ok=True)
summary_path = os.path.join(workdir, "summary.json")
risk_free = 0.02
run = subprocess.run([zqhost, "--account", "stock=880001", "--bars", bars, "--commission", "0.0003",
                      "--risk-free", str(risk_free), "--params", '{"short_window":3,"long_window":12,"symbol":"510050.SH","volume":5000}',
                      "--summary", summary_path, library], capture_output=True, text=True)
assert run.returncode == 0, run.stdout + run.stderr
summary = json.load(open(summary_path))
figures = summary["figures"]
failures = []


def check(name, expected, actual=None):
    actual = figures[name] if actual is None else actual
    exact = expected is None or actual is None or isinstance(expected, str)
    if not (expected == actual if exact else math.isclose(expected, actual, rel_tol=1e-9, abs_tol=1e-9)):
        failures.append(f"{name}: computed {expected!r}, summary has {actual!r}")


def seconds(text):
    return datetime.datetime.strptime(text, "%Y-%m-%d %H:%M:%S").replace(tzinfo=datetime.timezone.utc).timestamp()


# Round trips: FIFO over the fills, commissions shared by shares.
fills = summary["fills"]
lots = defaultdict(deque)
trips = []
for f in fills:
    if f["side"] == 1:
        lots[f["symbol"]].append([f["amount"], f["price"], f["commission"] / f["amount"], f["time"]])
        continue
    held, wanted, taken, cost, value, commission, entry = lots[f["symbol"]], f["amount"], 0, 0.0, 0.0, 0.0, None
    while taken < wanted and held:
        lot = held[0]
        entry = entry or lot[3]
        part = min(lot[0], wanted - taken)
        cost += part * (lot[1] + lot[2])
        value += part * lot[1]
        commission += part * lot[2]
        lot[0] -= part
        taken += part
        if lot[0] == 0: held.popleft()
    if taken:
        sell_commission = f["commission"] * taken / f["amount"]
        trips.append({"symbol": f["symbol"], "entryTime": entry, "exitTime": f["time"], "entryPrice": value / taken,
                      "exitPrice": f["price"], "amount": taken, "pnl": taken * f["price"] - sell_commission - cost,
                      "commission": commission + sell_commission})

assert len(trips) >= 4, "the run should close several round trips"
if len(trips) != len(summary["roundTrips"]):
    failures.append(f"round trips: computed {len(trips)}, summary lists {len(summary['roundTrips'])}")
for i, (mine, listed) in enumerate(zip(trips, summary["roundTrips"])):
    for key in mine:
        check(f"roundTrips[{i}].{key}", mine[key], listed[key])

pnls = [t["pnl"] for t in trips]
wins = [p for p in pnls if round(p * 100) > 0]
losses = [p for p in pnls if round(p * 100) < 0]
check("roundTrips", len(trips))
check("winningRoundTrips", len(wins))
check("losingRoundTrips", len(losses))
check("winRate", len(wins) / len(trips))
check("averageWin", sum(wins) / len(wins) if wins else None)
check("averageLoss", sum(losses) / len(losses) if losses else None)
check("profitFactor", sum(wins) / -sum(losses) if losses else None)
check("expectancy", sum(pnls) / len(pnls))
check("bestTrade", max(pnls))
check("worstTrade", min(pnls))
check("averageHoldingSeconds", sum(seconds(t["exitTime"]) - seconds(t["entryTime"]) for t in trips) / len(trips))
check("commission", sum(f["commission"] for f in fills))
check("trades", len(fills))

# The curve: one point per bar time, kept whole for a run this short.
equity = summary["equity"]
times = [seconds(p["time"]) for p in equity]
assert len(equity) == 1200, f"expected every bar time in the curve, got {len(equity)}"
start, values = summary["startingCash"], [p["equity"] for p in equity]
returns = [b / a - 1 for a, b in zip([start] + values[:-1], values)]
m = len(returns)
spacing = min(b - a for a, b in zip(times, times[1:]) if b > a)
per_year = 250 * max(1, 240 * 60 / spacing)
mean = sum(returns) / m
deviation = math.sqrt(sum((r - mean) ** 2 for r in returns) / (m - 1))
downside = math.sqrt(sum(min(r, 0) ** 2 for r in returns) / m)
annual = (values[-1] / start) ** (per_year / m) - 1
check("barsPerYear", per_year)
check("riskFree", risk_free)
check("totalReturn", values[-1] / start - 1)
check("pnl", values[-1] - start, summary["pnl"])
check("annualReturn", annual)
check("volatility", deviation * math.sqrt(per_year))
check("sharpe", (mean * per_year - risk_free) / (deviation * math.sqrt(per_year)))
check("sortino", (mean * per_year - risk_free) / (downside * math.sqrt(per_year)))

worst, peak_at, worst_at, peak = 0.0, 0, 0, 0
longest, run_from, longest_at = 0, 0, (0, 0)
for i, v in enumerate(values):
    if v > values[peak]: peak = i
    if (values[peak] - v) / values[peak] > worst:
        worst, peak_at, worst_at = (values[peak] - v) / values[peak], peak, i
    if v >= values[run_from] or i == len(values) - 1:
        below = i - run_from - (1 if v >= values[run_from] else 0)
        if below > longest:
            longest, longest_at = below, (run_from, i)
        if v >= values[run_from]: run_from = i
check("maxDrawdown", worst)
check("maxDrawdownFrom", equity[peak_at]["time"])
check("maxDrawdownTo", equity[worst_at]["time"])
check("calmar", annual / worst)
check("longestDrawdownBars", longest)
check("longestDrawdownFrom", equity[longest_at[0]]["time"])
check("longestDrawdownTo", equity[longest_at[1]]["time"])

# Exposure: the position after each bar time, from the fills up to it.
position, held_points, next_fill = defaultdict(int), 0, 0
for p in equity:
    while next_fill < len(fills) and fills[next_fill]["time"] <= p["time"]:
        f = fills[next_fill]
        position[f["symbol"]] += f["amount"] if f["side"] == 1 else -f["amount"]
        next_fill += 1
    held_points += any(position.values())
check("exposure", held_points / len(equity))

# Buy and hold of the traded symbol, from the bar file.
closes = [float(row["close"]) for row in csv.DictReader(open(bars)) if row["symbol"] == "510050.SH"]
(hold,) = figures["buyAndHold"]
check("buyAndHold.symbol", "510050.SH", hold["symbol"])
check("buyAndHold.return", closes[-1] / closes[0] - 1, hold["return"])

if failures:
    sys.exit("\n".join(failures))
print(f"every figure agrees ({len(trips)} round trips, {len(equity)} equity points)")
