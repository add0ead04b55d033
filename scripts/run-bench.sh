#!/usr/bin/env bash
# Runs every benchmark and prints its medians.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null | grep -E "median|^Benchmark|^-" || true
done
