#!/usr/bin/env bash
# Runs the fuzz targets longer than the tests do, one after another:
#   scripts/fuzz.sh [TARGET|all] [SECONDS]
# TARGET is open_workbook, resave_workbook or decode_picture (default all), each run for SECONDS
# (default 600). Runs go on from the inputs earlier runs kept (build-asan/tests/fuzz/TARGET/
# corpus); a finding ends that target's run and is kept in build-asan/tests/fuzz/TARGET/
# artifacts, to be replayed with `build-asan/bin/fuzz_TARGET FILE`.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(open_workbook resave_workbook decode_picture)
if [ $# -ge 1 ] && [ "$1" != all ]; then
  targets=("$1")
fi
seconds=${2:-600}

source scripts/asan_build.sh
configure_asan_build
cmake --build build-asan --target "${targets[@]/#/fuzz_}"

status=0
for target in "${targets[@]}"; do
  echo "== $target: $seconds s"
  PICROWS_FUZZ_KEEP_CORPUS=1 bash tests/fuzz/run_fuzzer.sh "build-asan/bin/fuzz_$target" \
    "$target" "$seconds" "build-asan/tests/fuzz/$target" || status=1
done
exit $status
