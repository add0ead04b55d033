#!/usr/bin/env bash
# Builds the fuzz targets of the readers with clang's libFuzzer and the
# address and undefined-behaviour sanitizers (build folder build-fuzz), then
# runs each for the given number of seconds (default 60), one after another.
# Seeds: tests/fuzz/corpus/<target>/ (and the historian fixtures of
# tests/data/xls, tests/fuzz/freexl, tests/data/xlsx and tests/data/csv);
# what the fuzzer learns is kept in build-fuzz/corpus/.
# A crash, a sanitizer report, a hang (-timeout) or a leak stops the run with
# the reproducing input saved as build-fuzz/findings/<target>/crash-...;
# rerun one with: build-fuzz/fuzz/<target> <file>.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
# libFuzzer takes 0 as "no limit": a bounded run needs at least a second.
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [seconds per target, at least 1]" >&2
  exit 2
fi
build=${FUZZ_BUILD:-build-fuzz}
jobs=${JOBS:-$(nproc)}

CC=${CC_FUZZ:-clang-14} CXX=${CXX_FUZZ:-clang++-14} \
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DREFORMER_BUILD_GUI=OFF -DREFORMER_BUILD_BENCH=OFF -DREFORMER_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzzers -j "$jobs"

# An undefined-behaviour report comes with its stack.
export UBSAN_OPTIONS="print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

failed=()
for fuzzer in "$build"/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  mkdir -p "$corpus" "$findings"
  seeds=()
  [ -d "tests/fuzz/corpus/$name" ] && seeds+=("tests/fuzz/corpus/$name")
  [ "$name" = fuzz_spreadsheet ] && seeds+=(tests/data/xls tests/fuzz/freexl)
  [ "$name" = fuzz_xlsx ] && seeds+=(tests/data/xlsx)
  [ "$name" = fuzz_csv ] && seeds+=(tests/data/csv)
  log="$findings/last-run.log"
  printf '%-28s %4ss ... ' "$name" "$seconds"
  # -timeout: one input taking longer than 10 s is a hang; -max_len: room
  # for the 10,000-character lines of the bad-input catalogue.
  if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=20000 \
       -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    echo "clean ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs)"
  else
    echo "FAILED, see $log"
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]}" >&2
  for name in "${failed[@]}"; do
    echo "== $name" >&2
    grep -E -A25 '^==[0-9]+==ERROR|runtime error|deadly signal|Timeout|out-of-memory|uncaught exception|SUMMARY' \
      "$build/findings/$name/last-run.log" | head -60 >&2 || true
  done
  exit 1
fi
