#!/usr/bin/env bash
# Cross-builds the Windows side (the Win32 platform layer and the SDK pieces
# that need no Qt) with mingw-w64 and runs its tests under Wine.
#   scripts/windows.sh [BUILD_DIR]
# Installs the cross compiler and Wine when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build-win}
source scripts/lib/packages.sh
ensure_packages g++-mingw-w64-x86-64 wine64 cmake ninja-build libgtest-dev

cmake -S tests/windows -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake"
cmake --build "$build_dir"

# A prefix of its own, made on first use, so nothing of the user's Wine is touched.
export WINEPREFIX="$PWD/$build_dir/wineprefix" WINEDEBUG=-all
wine=/usr/lib/wine/wine64
status=0
for test in platform_win_test sdk_win_test; do
  echo "windows: $test"
  (cd "$build_dir" && "$wine" "$test.exe") || status=1
done
exit $status
