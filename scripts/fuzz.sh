#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs one target or all of them, one after
# the other, each for SECONDS.
#   scripts/fuzz.sh TARGET|all SECONDS [libFuzzer options...]
# TARGET is a target of fuzz/CMakeLists.txt (bar_fuzz, or just bar). The tree
# is $ZQ_FUZZ_BUILD_DIR, build-fuzz by default. A target starts from its
# stored corpus, fuzz/corpus/<name>/, which is only read, and from what
# earlier runs in this tree found (<tree>/fuzz-corpus/<name>/), where new
# inputs go. A finding stops that target; its input is saved under
# <tree>/fuzz-findings/ and the script fails once every target has run.
# Replay one with <tree>/bin/<target> <file>; once it is fixed, keep the
# input in fuzz/corpus/<name>/, where the test build replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

if (($# < 2)) || ! [[ $2 =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh TARGET|all SECONDS [libFuzzer options...]" >&2
  exit 2
fi
wanted=$1
seconds=$2
shift 2
build=${ZQ_FUZZ_BUILD_DIR:-build-fuzz}

command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing; run scripts/setup.sh" >&2; exit 1; }
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DZQ_FUZZ=ON -DZQ_BUILD_TESTS=OFF -DZQ_BUILD_BENCH=OFF
fi
cmake --build "$build" --target fuzz_targets

# The fuzz build lets UndefinedBehaviorSanitizer recover; a finding must stop the run.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp
findings=$build/fuzz-findings
mkdir -p "$findings"

ran=0
failed=()
summary=()
while read -r target corpus dict; do
  [ -n "$target" ] || continue
  [ "$wanted" = all ] || [ "$wanted" = "$target" ] || [ "${wanted}_fuzz" = "$target" ] || continue
  ran=$((ran + 1))
  scratch=$build/fuzz-corpus/$corpus
  log=$build/fuzz-logs/$target.log
  mkdir -p "$scratch" "$(dirname "$log")"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$findings/$target-")
  [ -z "$dict" ] || options+=(-dict="fuzz/$dict")
  echo "fuzz: $target for ${seconds}s (log: $log)"
  status=0
  nice -n 10 "$build/bin/$target" "${options[@]}" "$@" "$scratch" "fuzz/corpus/$corpus" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  line="$target: ${runs:-?} inputs in ${took:-?}s, corpus $(find "$scratch" -type f | wc -l) files"
  if ((status != 0)); then
    failed+=("$target")
    line+=", FINDING (exit $status)"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*broken promise|.*runtime error|artifact_prefix|Test unit written)' "$log" | head -20 >&2 || true
  fi
  summary+=("$line")
done <"$build/fuzz/targets.txt"

if ((ran == 0)); then
  echo "fuzz: no target named $wanted; the targets are:" >&2
  cut -d' ' -f1 "$build/fuzz/targets.txt" >&2
  exit 2
fi
printf '%s\n' "${summary[@]}"
if ((${#failed[@]})); then
  echo "fuzz: findings in ${failed[*]}; inputs in $findings/" >&2
  exit 1
fi
