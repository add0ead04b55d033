#!/usr/bin/env bash
# The CI stages beside `make test` (.ci/run runs `format` before it and the
# other two after it); any of them by name, all three when none is named:
#   format      the C++ lines changed since the merge base with main laid out
#               as .clang-format says (scripts/check-format.sh; BASE=<commit>
#               compares with another commit);
#   sanitizers  everything, windows and their tests included, built with
#               -fsanitize=address,undefined (build-asan) and every test run
#               (the window tests offscreen); any report fails the stage;
#               leaks inside Qt and the libraries under it are suppressed by
#               scripts/lsan-suppressions.txt, each with its reason;
#               SANITIZE_WINDOWS=OFF leaves the windows and their tests out
#               (the stage as it was: the core, reformer-cli and their tests);
#   fuzz        every fuzz target of the readers for FUZZ_SECONDS seconds
#               (default 10; build-fuzz, clang).
# Each stage prints its time, to keep the whole of .ci/run within its budget.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}
fuzz_seconds=${FUZZ_SECONDS:-10}
sanitize_windows=${SANITIZE_WINDOWS:-ON}

stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(format sanitizers fuzz)

stage() { printf '\n== %s\n' "$1"; stage_start=$SECONDS; }
stage_done() { printf '== %s: %d s\n' "$1" $((SECONDS - stage_start)); }

for name in "${stages[@]}"; do
  case "$name" in
    format)
      stage "format of the changed C++ lines"
      bash scripts/check-format.sh ${BASE:+"$BASE"}
      stage_done "format"
      ;;
    sanitizers)
      stage "sanitizers (build-asan, windows: $sanitize_windows)"
      cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DREFORMER_SANITIZE=ON \
            -DREFORMER_BUILD_GUI="$sanitize_windows" -DREFORMER_BUILD_BENCH=OFF >/dev/null
      cmake --build build-asan -j "$jobs"
      # Undefined behaviour fails the test that meets it (as memory faults and
      # leaks do by default).
      export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
      export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
      (cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
      stage_done "sanitizers"
      ;;
    fuzz)
      stage "fuzz smoke (${fuzz_seconds} s per reader)"
      bash scripts/fuzz.sh "$fuzz_seconds"
      stage_done "fuzz smoke"
      ;;
    *)
      echo "ci-extra: unknown stage $name (format, sanitizers, fuzz)" >&2
      exit 2
      ;;
  esac
done
