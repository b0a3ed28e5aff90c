#!/usr/bin/env bash
# Runs the whole test suite twice: the normal build, then the sanitizer build
# (address and undefined behaviour, clang), which also runs each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

[ -d build ] || bash scripts/setup.sh
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs"

# The sanitizer build (scripts/asan_build.sh) also runs each fuzz target for a short while
# (label fuzz; scripts/fuzz.sh runs them longer). The LibreOffice comparisons check files, not
# memory: they run in the normal build only.
source scripts/asan_build.sh
configure_asan_build
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE libreoffice
