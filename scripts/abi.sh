#!/usr/bin/env bash
# The binary interface of libzqcxxadapter.so against its committed baseline,
# abi/libzqcxxadapter.abi: the exported symbols, and the layouts of the
# types the public headers (include/norq, include/zq) declare, as the
# library's debug information describes them: records, lists, strategy and
# host interfaces with their virtual slots, host rows.
#   scripts/abi.sh check    fails, printing the differences, unless they match
#   scripts/abi.sh update   writes the library's interface as the new baseline
# Run update after an intended change to the interface and commit the
# baseline with it; the diff then shows the change to reviewers.
# The library is built in its own tree, $ZQ_ABI_BUILD_DIR (build-abi by
# default), always with g++ and full debug information: the description of
# a class with virtual functions but no key function (HostServices,
# IStrategyHandler) is otherwise left out of the objects that only call it.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
if [ "$mode" != check ] && [ "$mode" != update ]; then
  echo "usage: scripts/abi.sh check|update" >&2
  exit 2
fi
build=${ZQ_ABI_BUILD_DIR:-build-abi}
baseline=abi/libzqcxxadapter.abi
command -v abidw >/dev/null || { echo "abi: abidw is missing; run scripts/setup.sh" >&2; exit 1; }

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=gcc CXX=g++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQ_BUILD_TESTS=OFF \
    -DZQ_BUILD_BENCH=OFF "-DCMAKE_CXX_FLAGS=-femit-class-debug-always"
fi
cmake --build "$build" --target zqcxxadapter

# Only the public headers' types are kept; locations and paths are left out,
# so the baseline changes only with the interface.
current=$build/libzqcxxadapter.abi
# (--load-all-types would add nothing the public types need, and abidw 2.2
# aborts on this library with it.)
abidw --suppressions abi/public-types.suppr --no-show-locs --no-corpus-path \
  --no-comp-dir-path --no-architecture --out-file "$current" "$build/lib/libzqcxxadapter.so"

if [ "$mode" = update ]; then
  cp "$current" "$baseline"
  echo "abi: wrote $baseline"
  exit 0
fi
status=0
# (--non-reachable-types makes abidiff 2.2 abort reading the baseline; the
# description holds only the public types anyway, so nothing is filtered
# when comparing: a filter by type name also hides the references and
# const forms through which a changed record is reached.)
abidiff --no-show-locs \
  "$baseline" "$current" || status=$?
if ((status != 0)); then
  echo "abi: the binary interface differs from $baseline (abidiff status $status)." >&2
  echo "abi: if the change is intended, run scripts/abi.sh update and commit $baseline." >&2
  exit 1
fi
echo "abi: the binary interface matches $baseline"
