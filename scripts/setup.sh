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
# check the binary interface; pkg-config and make build the SDK's template the
# way its README says; zlib reads compressed bar files and traces; GNU
# parallel runs emitted sweep commands.
packages=(build-essential cmake ninja-build pkg-config qtbase5-dev python3-dev zlib1g-dev libgtest-dev
          libgmock-dev libbenchmark-dev clang libclang-rt-dev abigail-tools parallel)
source scripts/lib/packages.sh
ensure_packages "${packages[@]}"

cmake -S . -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir"
