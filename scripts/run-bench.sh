#!/usr/bin/env bash
# Runs every benchmark of a build (default: build) and prints one table of
# medians over REPS repetitions (default 5), followed by the wall time and
# peak memory of the headless welcome pipeline (reformer-cli pipeline on a
# scratch copy of the build's bin/sk), also medians.
set -euo pipefail
# Decimal points in every number this script reads and prints.
export LC_ALL=C
build=${1:-build}
reps=${REPS:-5}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rows="$scratch/rows"
: >"$rows"
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  # CSV: name,iterations,real_time,cpu_time,time_unit,...; the aggregates
  # are named <benchmark>_median.
  "$b" --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
       --benchmark_format=csv 2>/dev/null |
    awk -F, -v bin="$(basename "$b")" '
      $1 ~ /_median"?$/ {
        name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
        printf "%s\t%s\t%.3f %s\t%.3f %s\n", bin, name, $3, $5, $4, $5
      }' >>"$rows"
done

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

cli="$build/reformer-cli"
if [ -x "$cli" ] && [ -d "$build/bin/sk" ] && [ -x /usr/bin/time ]; then
  : >"$scratch/wall"; : >"$scratch/rss"; : >"$scratch/cpu"
  TIMEFORMAT='%3U %3S'
  for _ in $(seq "$reps"); do
    rm -rf "$scratch/sk"
    cp -r "$build/bin/sk" "$scratch/sk"
    # /usr/bin/time gives the peak memory; its wall time has 10 ms steps,
    # so the wall time is taken around it in microseconds, and the CPU time
    # (user + system, which a loaded machine disturbs less) by the shell.
    start=$EPOCHREALTIME
    if ! { time /usr/bin/time -f "%M" -o "$scratch/time" "$cli" --base "$scratch/sk" pipeline >/dev/null 2>"$scratch/err"; } 2>"$scratch/times"; then
      echo "reformer-cli pipeline failed:" >&2; cat "$scratch/err" >&2; exit 1
    fi
    end=$EPOCHREALTIME
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", (b - a) * 1000 }' >>"$scratch/wall"
    awk '{ printf "%.3f\n", ($1 + $2) * 1000 }' "$scratch/times" >>"$scratch/cpu"
    cat "$scratch/time" >>"$scratch/rss"
  done
  printf 'reformer-cli\tpipeline (wall time)\t%.1f ms\t%.1f ms\n' "$(median <"$scratch/wall")" "$(median <"$scratch/cpu")" >>"$rows"
  printf 'reformer-cli\tpipeline (peak memory)\t%.1f MB\t-\n' "$(median <"$scratch/rss" | awk '{ print $1 / 1024 }')" >>"$rows"
fi

# The same pipeline on a copy whose names have the letter case a Windows
# installation leaves; a build that cannot run it gives no row.
if [ -x "$cli" ] && [ -d "$build/bin/sk" ]; then
  : >"$scratch/wall"
  for _ in $(seq "$reps"); do
    rm -rf "$scratch/sk"
    cp -r "$build/bin/sk" "$scratch/sk"
    (cd "$scratch/sk" && mv Hornel/01-09-09/01-09-09.dan Hornel/01-09-09/01-09-09.DAN &&
       mv Hornel/01-09-09/01-09-09.SIR Hornel/01-09-09/01-09-09.sir && mv Hornel HORNEL && mv Basa BASA &&
       mv svod.12 SVOD.12 && mv l90.12 L90.12 && mv kfr1.12 KFR1.12 && mv clor-dan.12 CLOR-DAN.12)
    start=$EPOCHREALTIME
    "$cli" --base "$scratch/sk" pipeline >/dev/null 2>&1 || { : >"$scratch/wall"; break; }
    end=$EPOCHREALTIME
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", (b - a) * 1000 }' >>"$scratch/wall"
  done
  if [ -s "$scratch/wall" ]; then
    printf 'reformer-cli\tpipeline, Windows letter case (wall time)\t%.1f ms\t-\n' "$(median <"$scratch/wall")" >>"$rows"
  fi
fi

# For scripts/compare-bench.sh: the rows alone.
if [ -n "${ROWS_ONLY:-}" ]; then
  cat "$rows"
  exit 0
fi

if [ ! -s "$rows" ]; then
  echo "No benchmarks in $build (is libbenchmark-dev installed and the build done?)" >&2
  exit 1
fi
echo "Medians of $reps runs ($build)"
{
  printf 'Program\tBenchmark\tTime\tCPU\n'
  cat "$rows"
} | awk -F'\t' -f "$(dirname "$0")/align-table.awk"
