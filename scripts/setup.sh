#!/usr/bin/env bash
# Sets up a Debian 12 machine for this project and builds it.
#   scripts/setup.sh [BUILD_DIR] [extra cmake arguments...]
# Installs whatever Debian packages are missing, configures with CMake and
# Ninja, and builds. Safe to run again: it only does what is left to do.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build}
shift || true

# clang and its sanitizer runtimes build the fuzz targets; the abigail tools
# check the binary interface.
packages=(build-essential cmake ninja-build qtbase5-dev python3-dev libgtest-dev libgmock-dev
          libbenchmark-dev clang libclang-rt-dev abigail-tools zlib1g-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir"
