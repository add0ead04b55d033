#!/usr/bin/env bash
# Wall time of replaying the sample plant's twelve calculated dates
# (reformer-cli replay --plant-index 11) with the build's stand-in model.
# The history is made first, outside the measurement: each of the twelve
# date folders gets the sample date's conditions under its own sampling date
# and the sample's composition (the history dates have no composition file
# of their own), and is calculated with reformer-cli calc. The model may sit
# behind a wrapper that sleeps SLEEP seconds per run (default 0), as a real
# model program started through an emulator takes about a second.
#
#   bash bench/replay.sh [build]            # SLEEP=0, REPS=5
#   SLEEP=1 REPS=3 bash bench/replay.sh build
set -euo pipefail
export LC_ALL=C
build=${1:-build}
sleep_s=${SLEEP:-0}
reps=${REPS:-5}
cli="$build/reformer-cli"
model="$build/bin/sk/kelmar.exe"
[ -x "$cli" ] && [ -x "$model" ] || { echo "build $build first (reformer-cli and the stand-in model)" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
base="$scratch/sk"

cp -r "$build/bin/sk" "$base"
if [ "$sleep_s" != 0 ]; then
  cp "$model" "$scratch/real-model"
  printf '#!/bin/sh\nsleep %s\nexec "%s" "$@"\n' "$sleep_s" "$scratch/real-model" >"$base/kelmar.exe"
  chmod +x "$base/kelmar.exe"
fi
"$cli" --base "$base" form "$base/Hornel/01-09-09" 01-09-09 >/dev/null
dates=0
for rez in "$base"/Hornel/??-??-??/??-??-??.rez; do
  d=$(basename "$rez" .rez)
  # Line 12 of the conditions file begins with the sampling date dd.mm.yy.
  awk -v date="${d//-/.}" 'NR == 12 { $0 = date substr($0, 9) } { printf "%s\n", $0 }' \
    "$base/Hornel/01-09-09/01-09-09.dan" >"$base/Hornel/$d/$d.dan"
  cp "$base/Hornel/01-09-09/01-09-09.sk" "$base/Hornel/$d/$d.sk"
  "$cli" --base "$base" calc "$base/Hornel/$d/$d.dan" >/dev/null 2>&1
  dates=$((dates + 1))
done

times=()
for ((i = 0; i < reps; i++)); do
  start=$EPOCHREALTIME
  "$cli" --base "$base" replay --plant-index 11 >"$scratch/out"
  end=$EPOCHREALTIME
  times+=("$(echo "$end - $start" | bc)")
done
median=$(printf '%s\n' "${times[@]}" | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
printf '| Dates | Model sleep, s | Replay wall time, s (median of %d) | Summary |\n|---|---|---|---|\n' "$reps"
printf '| %d | %s | %.2f | %s |\n' "$dates" "$sleep_s" "$median" "$(tail -n 1 "$scratch/out")"
