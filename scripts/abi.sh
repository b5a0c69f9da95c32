#!/usr/bin/env bash
# The binary interface against its committed baseline, in two descriptions:
#   abi/libzqcxxadapter.abi  libzqcxxadapter.so: its exported symbols and the
#                            layouts of the types they reach (records, lists,
#                            the adapter and host-service interfaces)
#   abi/publictypes.abi      every type of the public headers (include/norq,
#                            include/zq) with its layout and virtual slots, as
#                            a library built from those headers alone sees
#                            them (abi/publictypes.cpp): the strategy-facing
#                            interfaces and the host rows and order records,
#                            which no export of the adapter reaches
#   scripts/abi.sh check    fails, printing the differences, unless both match
#   scripts/abi.sh update   writes both descriptions as the new baseline
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
command -v abidw >/dev/null || { echo "abi: abidw is missing; run scripts/setup.sh" >&2; exit 1; }

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=gcc CXX=g++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQ_BUILD_TESTS=OFF \
    -DZQ_BUILD_BENCH=OFF "-DCMAKE_CXX_FLAGS=-femit-class-debug-always"
fi
cmake --build "$build" --target zqcxxadapter
# Every type the headers declare is described, used or not; the headers are
# named by absolute path, as abi/public-types.suppr recognises them by it.
g++ -std=c++17 -g -O0 -femit-class-debug-always -fno-eliminate-unused-debug-types -fPIC -shared \
  -I"$PWD/include" abi/publictypes.cpp -o "$build/libpublictypes.so"

# Only the public headers' types are kept; locations, the tree's path and
# numbered type ids are left out, so a description changes only with the
# interface. (--load-all-types would
# add nothing the public types need, and abidw 2.2 aborts on this library
# with it.) A description without the interface's types would compare equal
# to anything, so that stops the check.
describe() {
  local binary=$1 out=$2 type=$3
  abidw --suppressions abi/public-types.suppr --no-show-locs --no-corpus-path --no-comp-dir-path \
    --no-architecture --type-id-style hash --out-file "$out" "$binary"
  sed -i "s|path='$PWD/|path='|" "$out"
  if ! grep -q "<class-decl name='$type' size-in-bits=" "$out"; then
    echo "abi: $out does not describe $type; is abi/public-types.suppr still right?" >&2
    exit 1
  fi
}

failed=0
for name in libzqcxxadapter publictypes; do
  baseline=abi/$name.abi
  current=$build/$name.abi
  if [ $name = libzqcxxadapter ]; then
    describe "$build/lib/libzqcxxadapter.so" "$current" Order
  else
    describe "$build/libpublictypes.so" "$current" INorqSysApi
  fi
  if [ "$mode" = update ]; then
    cp "$current" "$baseline"
    echo "abi: wrote $baseline"
    continue
  fi
  # (--non-reachable-types makes abidiff 2.2 abort reading a baseline; each
  # description holds only the public types anyway, so nothing is filtered
  # when comparing: a filter by type name also hides the references and
  # const forms through which a changed record is reached.)
  # The leaf-change view leaves moved virtual slots out, and the default view
  # counts them as "filtered"; the whole report names them, but at length, so
  # only the lines that say what changed are printed.
  status=0
  report=$build/$name.abidiff
  abidiff --no-show-locs --redundant "$baseline" "$current" >"$report" || status=$?
  if ((status != 0)); then
    grep -E "changed from|incompatible|data member (insertion|deletion|change)|type of '|^ *'.*', at offset|(Removed|Added) function" \
      "$report" | sed 's/^ *//' | sort -u | head -40 >&2 || true
    echo "abi: $current differs from $baseline (abidiff status $status; whole report: $report)." >&2
    failed=1
  fi
done
if ((failed)); then
  echo "abi: if the change is intended, run scripts/abi.sh update and commit abi/." >&2
  exit 1
fi
[ "$mode" = update ] || echo "abi: the binary interface matches abi/"
