#!/usr/bin/env python3
"""zqhost sweep as a user runs it, over the sample bars with a strategy whose
set 4/15 crashes: the ranking, the heatmap, the failed set recorded while the
rest finish, resuming, a changed library, a random draw, the out-of-sample
split, and the emitted commands run by GNU parallel and collected.
  check_sweep.py ZQHOST LIBRARY BARS WORKDIR"""
import csv
import json
import os
import re
import shutil
import subprocess
import sys

zqhost, library, bars, work = sys.argv[1:5]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
run_options = ["--account", "stock=880001", "--bars", bars, "--param", "symbol=510050.SH", "--param", "volume=5000",
               "--commission", "0.0003"]
grid = ["--grid", "short_window=3..5", "--grid", "long_window=10..20:5", "--metric", "totalReturn"]


def sweep(*args, status=0):
    done = subprocess.run([zqhost, "sweep", *args], capture_output=True, text=True)
    assert done.returncode == status, f"exit {done.returncode}, expected {status}:\n{done.stdout}{done.stderr}"
    return done.stdout + done.stderr


results = lambda folder: json.load(open(os.path.join(folder, "results.json")))
summary = lambda folder, set_id: json.load(open(os.path.join(folder, "sets", set_id, "summary.json")))


# A whole grid, two at once: eight sets finish, the crashing one is recorded.
a = os.path.join(work, "a")
out = sweep("--out", a, "--jobs", "2", *grid, *run_options, library)
assert re.search(r"set \w+ \(long_window=15, short_window=4\) failed with exit status 134: .*onInit.*; see ", out), out
table = results(a)
assert (table["done"], table["failed"], table["notRun"]) == (8, 1, 0), table
assert table["varied"] == ["long_window", "short_window"], table["varied"]
sets = table["sets"]
assert [s["rank"] for s in sets] == [1, 2, 3, 4, 5, 6, 7, 8, None], [s["rank"] for s in sets]
returns = [summary(a, s["set"])["figures"]["totalReturn"] for s in sets[:8]]
assert returns == sorted(returns, reverse=True) and len(set(returns)) > 1, returns
assert [s["figures"]["totalReturn"] for s in sets[:8]] == returns
ran = summary(a, sets[0]["set"])["run"]
assert (ran["parameters"]["symbol"], ran["parameters"]["volume"]) == ("510050.SH", "5000"), "the run options reach each set"
failed = sets[8]
assert failed["parameters"] == {"short_window": "4", "long_window": "15"} and failed["exitStatus"] == 134, failed
assert failed["status"] == "failed" and failed["figures"]["totalReturn"] is None
assert any("onInit" in line for line in failed["logTail"]), failed["logTail"]
assert all(s["runSeconds"] > 0 for s in sets), "every set has its run time"

rows = list(csv.DictReader(open(os.path.join(a, "results.csv"))))
assert [(r["set"], r["short_window"], r["long_window"], r["status"]) for r in rows] == \
    [(s["set"], s["parameters"]["short_window"], s["parameters"]["long_window"], s["status"]) for s in sets]
assert float(rows[0]["totalReturn"]) == returns[0] and rows[8]["exit_status"] == "134"

page = open(os.path.join(a, "sweep.html")).read()
heatmap = re.search(r'<svg[^>]*id="heatmap".*?</svg>', page, re.S)
assert heatmap and heatmap.group(0).count("<rect") == 9, "a heatmap cell per set"
assert "long_window=15, short_window=4: failed" in heatmap.group(0)
assert page.count('<tr class="failed">') == 1 and "Failed sets" in page

# Resuming runs only the sets without a result.
for s in sets[1:3]:
    shutil.rmtree(os.path.join(a, "sets", s["set"]))
kept = os.path.join(a, "sets", sets[0]["set"], "summary.json")
kept_time = os.stat(kept).st_mtime_ns
out = sweep("--out", a, "--jobs", "2", *grid, *run_options, library)
assert "running 2 of 9 sets" in out, out
assert os.stat(kept).st_mtime_ns == kept_time, "a finished set ran again"
strip = lambda rows: [(r["set"], r["rank"], r["status"], r["exitStatus"], r["figures"]) for r in rows]
assert strip(results(a)["sets"]) == strip(sets), "the resumed sweep ranks the same"

# A changed library is another strategy: every set runs again.
changed = os.path.join(work, "libchanged.so")
shutil.copy(library, changed)
with open(changed, "ab") as f:
    f.write(b"\0changed")
out = sweep("--out", a, "--where", "short_window==3", *grid, *run_options, changed)
assert "running 3 of 3 sets" in out, out

# A random draw is the same for the same seed, and keeps to --where.
draws = []
for name in ("r1", "r2"):
    commands = os.path.join(work, name + ".txt")
    sweep("--out", os.path.join(work, name), "--random", "4", "--seed", "7", "--where",
          "short_window<long_window and long_window!=20", "--emit-commands", commands, *grid, *run_options, library)
    draws.append(sorted(re.findall(r"'long_window=(\d+)' '--param' 'short_window=(\d+)'", open(commands).read())))
assert draws[0] == draws[1] and len(draws[0]) == 4, draws
assert all(long != "20" for long, short in draws[0]), draws

# Bad ranges and filters name the problem (every message: sweepparts_test.cpp).
for args, message in [(["--grid", "short_window=5..3"], "zqhost sweep: --grid short_window=5..3: the range is empty"),
                      (["--grid", "short_window=3..5", "--where", "long_window>3"],
                       "zqhost sweep: --where: no swept parameter is named so at column 1")]:
    assert message in sweep("--out", os.path.join(work, "bad"), *args, *run_options, library, status=2)

# Out of sample: the best two sets before 2024-03-07 run again from it on.
s = os.path.join(work, "split")
sweep("--out", s, "--split", "2024-03-07", "--top", "2", "--reports", "--grid", "short_window=3,4,5", "--grid",
      "long_window=10", *run_options, library)
split_sets = results(s)["sets"]
assert [(x["rank"], bool(x.get("outOfSample"))) for x in split_sets] == [(1, True), (2, True), (3, False)], split_sets
for x in split_sets[:2]:
    inside, outside = summary(s, x["set"]), summary(s, x["outOfSample"]["set"])
    assert inside["lastBar"] < "2024-03-07" <= outside["firstBar"], (inside["lastBar"], outside["firstBar"])
    assert os.path.exists(os.path.join(s, x["report"])), "--reports writes each set's report"
split_page = open(os.path.join(s, "sweep.html")).read()
assert "(out of sample)" in split_page and f'href="sets/{split_sets[0]["set"]}/report.html"' in split_page

# Beyond one machine: the emitted commands, run by GNU parallel, then collected.
b = os.path.join(work, "b")
commands = os.path.join(work, "commands.txt")
sweep("--out", b, "--emit-commands", commands, *grid, *run_options, library)
lines = open(commands).read().splitlines()
assert len(lines) == 9 and all(line.count(os.path.realpath(zqhost)) == 1 and "/sets/" in line for line in lines), lines
done = subprocess.run(["parallel", "--will-cite", "-j", "2", "-a", commands], capture_output=True, text=True)
assert done.returncode == 1, f"one command fails: {done.returncode}\n{done.stderr}"
sweep("--collect", b, "--metric", "totalReturn")
collected = results(b)["sets"]
assert strip(collected) == strip(sets), "the collected sweep ranks as the local one"
print("sweep checks passed")
