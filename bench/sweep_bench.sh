#!/usr/bin/env bash
# How a sweep uses the cores: the same 40-set sweep (two parameters, the
# sample bars, the sample strategy) with --jobs 1 and with --jobs 2, median
# of three each, and what one set costs beyond its replay: a set over a
# single bar (process start-up, loading the adapter and the strategy, the
# schema, writing the summary) against a set over the sample's 3 600 bars.
#   bench/sweep_bench.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
zqhost=$build/bin/zqhost
library=$build/lib/libmacross.so
bars=examples/data/sample_bars.csv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run=(--account stock=880001 --bars "$bars" --param symbol=510050.SH --param volume=5000)
grid=(--grid short_window=3..10 --grid long_window=10..30:5)

# "WALL CPU": the seconds the command takes and the processor seconds it and
# its children used, its output dropped.
seconds() {
  local TIMEFORMAT='%R %U %S'
  { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }'
}
median() { sort -n | awk '{ v[NR] = $0 } END { print v[int((NR + 1) / 2)] }'; }

for jobs in 1 2; do
  for rep in 1 2 3; do
    seconds "$zqhost" sweep --out "$work/j$jobs-$rep" --jobs "$jobs" "${grid[@]}" "${run[@]}" "$library"
  done | median >"$work/jobs$jobs"
done
head -2 "$bars" >"$work/one_bar.csv"
for rep in $(seq 15); do seconds "$zqhost" --bars "$work/one_bar.csv" --summary "$work/s.json" "$library"; done | median >"$work/one"
for rep in $(seq 15); do seconds "$zqhost" "${run[@]}" --summary "$work/s.json" "$library"; done | median >"$work/full"
sets=$(ls "$work/j1-1/sets" | wc -l)

read -r j1 c1 <"$work/jobs1"
read -r j2 c2 <"$work/jobs2"
read -r one _ <"$work/one"
read -r full cfull <"$work/full"
awk -v j1="$j1" -v c1="$c1" -v j2="$j2" -v c2="$c2" -v one="$one" -v full="$full" -v cfull="$cfull" \
    -v sets="$sets" -v load="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN {
  printf "sweep of %d sets, --jobs 1     %.2f s   (%.2f processor s)\n", sets, j1, c1
  printf "sweep of %d sets, --jobs 2     %.2f s   (%.2f processor s; %.2fx of --jobs 1; goal <= 0.6x: %s)\n", sets, j2, c2, j2 / j1, j2 / j1 <= 0.6 ? "met" : "NOT met"
  printf "one set over 1 bar            %.3f s   (start-up, loading, schema, summary)\n", one
  printf "one set over 3 600 bars       %.3f s   (replay %.3f s; %.3f processor s)\n", full, full - one, cfull
  printf "sweep overhead per set        %.3f s   (--jobs 1 time per set beyond a plain run)\n", j1 / sets - full
  printf "load average                  %s (2 cores: above 2, a second job waits for a core)\n", load
}'
