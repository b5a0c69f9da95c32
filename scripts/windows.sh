#!/usr/bin/env bash
# Cross-builds the Windows side (the Win32 platform layer and the SDK pieces
# that need no Qt) with mingw-w64 and runs its tests under Wine.
#   scripts/windows.sh [BUILD_DIR]
# Installs the cross compiler and Wine when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build-win}
packages=(g++-mingw-w64-x86-64 wine64 cmake ninja-build libgtest-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "windows: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

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
