#!/usr/bin/env bash
# Runs the whole test suite twice: the normal build, then the sanitizer build
# (address and undefined behaviour).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

[ -d build ] || bash scripts/setup.sh
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPICROWS_SANITIZE=ON >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
