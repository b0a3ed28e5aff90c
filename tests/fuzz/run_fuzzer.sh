#!/usr/bin/env bash
# Runs one libFuzzer program for SECONDS from its seed corpus; exits non-zero when it found a
# crash, a leak, a hang or a sanitizer report (the input is kept in WORKDIR/artifacts).
#   run_fuzzer.sh FUZZER TARGET SECONDS WORKDIR
# The inputs the run finds worth keeping go to a fresh WORKDIR/run-corpus, or, with
# PICROWS_FUZZ_KEEP_CORPUS=1, to WORKDIR/corpus, which later runs go on from.
set -euo pipefail
fuzzer=$1
target=$2
seconds=$3
work=$4
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$work/artifacts"
bash "$here/make_seed_corpus.sh" "$target" "$work/seeds"
if [ "${PICROWS_FUZZ_KEEP_CORPUS:-0}" = 1 ]; then
  corpus=$work/corpus
else
  corpus=$work/run-corpus
  rm -rf "$corpus"
fi
mkdir -p "$corpus"

# Leaks are findings too; UBSan reports stop the run like crashes.
export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS_FUZZ:-}"
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
exec "$fuzzer" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=3072 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$corpus" "$work/seeds"
