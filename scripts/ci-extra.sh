#!/usr/bin/env bash
# The CI stages after `make test`:
#   1. sanitizers: the core, reformer-cli, the stand-in programs and the core
#      and command-line tests built with -fsanitize=address,undefined
#      (build-asan) and run; any report fails the stage;
#   2. fuzz smoke: every fuzz target of the readers for FUZZ_SECONDS seconds
#      (default 10; build-fuzz, clang).
# Each stage prints its time, to keep the whole of .ci/run within its budget.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}
fuzz_seconds=${FUZZ_SECONDS:-10}

stage() { printf '\n== %s\n' "$1"; stage_start=$SECONDS; }
stage_done() { printf '== %s: %d s\n' "$1" $((SECONDS - stage_start)); }

stage "sanitizers (build-asan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DREFORMER_SANITIZE=ON \
      -DREFORMER_BUILD_GUI=OFF -DREFORMER_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
# Undefined behaviour fails the test that meets it (as memory faults and
# leaks do by default).
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
(cd build-asan && ctest --output-on-failure -j "$jobs")
stage_done "sanitizers"

stage "fuzz smoke (${fuzz_seconds} s per reader)"
bash scripts/fuzz.sh "$fuzz_seconds"
stage_done "fuzz smoke"
