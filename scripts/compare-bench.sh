#!/usr/bin/env bash
# Compares the benchmarks of two builds on this machine, side by side:
#   scripts/compare-bench.sh OLD_BUILD NEW_BUILD
# Both builds are measured in turns (ROUNDS, default 3, of REPS repetitions
# each, default 5), so that a change in the machine's load falls on both; each
# row is the median of the rounds' medians. Times are CPU times where the row
# has one (a machine shared with other work stretches the wall times far more),
# else the wall time or the memory. The ratio is new / old: above 1 is slower
# (or more memory). Rows that only one build has show "-".
set -euo pipefail
export LC_ALL=C
old=${1:?usage: compare-bench.sh OLD_BUILD NEW_BUILD}
new=${2:?usage: compare-bench.sh OLD_BUILD NEW_BUILD}
rounds=${ROUNDS:-3}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for round in $(seq "$rounds"); do
  for side in old new; do
    build=$old; [ "$side" = new ] && build=$new
    ROWS_ONLY=1 bash "$here/run-bench.sh" "$build" | sed "s/^/$side\t/" >>"$scratch/rows"
  done
done

# side, program, benchmark, time "value unit", cpu
awk -F'\t' -v old="$old" -v new="$new" '
  function median(list,    n, v, i, j, t) {
    n = split(list, v, " ")
    for (i = 2; i <= n; ++i) for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; --j) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
  }
  {
    key = $2 "\t" $3
    if (!(key in seen)) { seen[key] = 1; order[++n] = key }
    split($5 != "-" ? $5 : $4, tv, " "); unit[key] = tv[2]
    times[$1, key] = times[$1, key] " " tv[1]
  }
  END {
    printf "Program\tBenchmark\t%s\t%s\tRatio\n", old, new
    for (i = 1; i <= n; ++i) {
      k = order[i]
      a = (("old", k) in times) ? median(times["old", k]) : ""
      b = (("new", k) in times) ? median(times["new", k]) : ""
      ratio = (a != "" && b != "" && a + 0 > 0) ? sprintf("%.2f", b / a) : "-"
      printf "%s\t%s\t%s\t%s\n", k, a == "" ? "-" : sprintf("%.3f %s", a, unit[k]), b == "" ? "-" : sprintf("%.3f %s", b, unit[k]), ratio
    }
  }' "$scratch/rows" |
  awk -F'\t' -f "$here/align-table.awk"
