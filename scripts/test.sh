#!/usr/bin/env bash
# Runs the whole test suite twice: the normal build, then the sanitizer build
# (address and undefined behaviour).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

[ -d build ] || bash scripts/setup.sh
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs"

# Optimised a little (-O1) so that the sanitized tests run in reasonable time; line tables only.
# The LibreOffice comparisons check files, not memory: they run in the normal build only.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DPICROWS_SANITIZE=ON -DPICROWS_BENCH=OFF -DCMAKE_UNITY_BUILD=ON \
  -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE libreoffice
