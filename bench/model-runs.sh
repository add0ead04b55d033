#!/usr/bin/env bash
# Model runs and wall time of the reforming calculation, the default
# bisection against the opt-in secant fitting (reformer-cli calc --fit), on
# the sample date and a few dates of the sample plant's history. The model is
# the build's stand-in behind a wrapper that sleeps SLEEP seconds (default 1)
# per run first, as a real model program started through an emulator takes
# about that long; the wall time is then mostly the model's.
#
#   bash bench/model-runs.sh [build]              # SLEEP=1, the dates below
#   SLEEP=0.2 DATES="01-09-09" bash bench/model-runs.sh build
#
# The history dates have no composition file of their own; they are run with
# the sample's composition, which the fitting does not care about.
set -euo pipefail
export LC_ALL=C
build=${1:-build}
sleep_s=${SLEEP:-1}
dates=${DATES:-"01-09-09 12-11-08 14-01-09 13-05-09"}
cli="$build/reformer-cli"
model="$build/bin/sk/kelmar.exe"
[ -x "$cli" ] && [ -x "$model" ] || { echo "build $build first (reformer-cli and the stand-in model)" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fresh_base() {
  rm -rf "$scratch/sk"
  cp -r "$build/bin/sk" "$scratch/sk"
  cp "$model" "$scratch/real-model"
  printf '#!/bin/sh\nsleep %s\nexec "%s" "$@"\n' "$sleep_s" "$scratch/real-model" >"$scratch/sk/kelmar.exe"
  chmod +x "$scratch/sk/kelmar.exe"
  "$cli" --base "$scratch/sk" form "$scratch/sk/Hornel/01-09-09" 01-09-09 >/dev/null
}

printf '| Date | Method | Model runs | Wall time, s | Activity | Aromatics calc./exp. | Chlorine |\n'
printf '|---|---|---|---|---|---|---|\n'
for d in $dates; do
  for fit in bisection fast; do
    fresh_base
    dan="$scratch/sk/Hornel/$d/$d.dan"
    [ "$d" = 01-09-09 ] || cp "$scratch/sk/Hornel/01-09-09/01-09-09.sk" "$scratch/sk/Hornel/$d/$d.sk"
    start=$EPOCHREALTIME
    if ! "$cli" --base "$scratch/sk" calc --fit "$fit" "$dan" >"$scratch/out" 2>"$scratch/err"; then
      printf '| %s | %s | failed: %s | | | | |\n' "$d" "$fit" "$(head -c 200 "$scratch/err")"
      continue
    fi
    end=$EPOCHREALTIME
    runs=$(sed -n 's/^Model runs: \([0-9]*\).*/\1/p' "$scratch/err")
    activity=$(sed -n 's/.*составила \([^ ]*\) .*/\1/p' "$scratch/out")
    aromatics=$(sed -n 's/.*катализате: \([^ ]*\) и \([^ ]*\) .*/\1 \/ \2/p' "$scratch/out")
    # Chlorine on catalyst of the first reactor: line 67, columns 26-30 of the results file.
    chlorine=$(tr -d '\r' <"${dan%.dan}.rez" | sed -n '67p' | cut -c26-30 | tr -d ' ')
    printf '| %s | %s | %s | %.1f | %s | %s | %s |\n' "$d" "$fit" "$runs" \
      "$(echo "$end - $start" | bc)" "$activity" "$aromatics" "$chlorine"
  done
done
