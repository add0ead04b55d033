#!/usr/bin/env bash
# Holds the C++ a change brings to .clang-format: clang-format --dry-run
# -Werror on the lines of the .cpp and .h files changed since BASE (the
# working tree against BASE, so uncommitted edits count too). Only the
# changed lines are held to it, so touching one line of an older file does
# not ask for the whole file to be reformatted; a new file is all changed.
#
#   scripts/check-format.sh [--fix] [--whole-files] [BASE]
#     --fix          reformat those lines in place instead of reporting them
#     --whole-files  hold every changed file to the format as a whole
#     BASE           a commit; by default the merge base with main (or
#                    origin/main), or HEAD~1 when HEAD is that merge base
#                    (a run on main itself) or there is no main.
#
# Without a git checkout, or when there is nothing to compare with (one
# commit, a shallow clone, an unknown BASE in CI's checkout), the check is
# skipped with a note and succeeds: a missing history is not a format fault.
# CLANG_FORMAT names the program; by default clang-format-14, the version
# CI installs (another version lays some lines out differently), else
# clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."

fix=0
whole=0
base=""
for arg in "$@"; do
  case "$arg" in
    --fix) fix=1 ;;
    --whole-files) whole=1 ;;
    -h|--help) awk 'NR > 1 && !/^#/ { exit } NR > 1 { sub(/^# ?/, ""); print }' "$0"; exit 0 ;;
    -*) echo "check-format: unknown option $arg" >&2; exit 2 ;;
    *) base=$arg ;;
  esac
done

skip() { echo "check-format: skipped: $1"; exit 0; }

clang_format=${CLANG_FORMAT:-$(command -v clang-format-14 || echo clang-format)}
if ! command -v "$clang_format" >/dev/null 2>&1; then
  echo "check-format: $clang_format is not installed (make deps installs it)" >&2
  exit 2
fi

git rev-parse --is-inside-work-tree >/dev/null 2>&1 || skip "not a git checkout"
git rev-parse --verify -q HEAD >/dev/null || skip "no commit yet"

if [ -z "$base" ]; then
  for ref in main origin/main; do
    if git rev-parse --verify -q "$ref^{commit}" >/dev/null; then
      base=$(git merge-base HEAD "$ref" 2>/dev/null || true)
      [ -n "$base" ] && break
    fi
  done
  if [ -z "$base" ] || [ "$base" = "$(git rev-parse HEAD)" ]; then
    base=HEAD~1
  fi
fi
git rev-parse --verify -q "$base^{commit}" >/dev/null \
  || skip "no commit $base to compare with (no main branch and no earlier commit in this checkout)"

# "file first:last" for every run of added or changed lines; a hunk that only
# deletes has nothing to format.
ranges=$(git diff -U0 --no-color --no-ext-diff --diff-filter=ACMR "$base" -- '*.cpp' '*.h' \
  | awk '
      /^\+\+\+ / { file = substr($0, 7); next }
      /^@@ / {
        split($3, plus, ",")
        first = substr(plus[1], 2) + 0
        count = (2 in plus) ? plus[2] + 0 : 1
        if (count > 0) print file, first ":" (first + count - 1)
      }')

if [ -z "$ranges" ]; then
  echo "check-format: no C++ lines changed since $(git rev-parse --short "$base")"
  exit 0
fi

failed=()
checked=0
while read -r file; do
  [ -f "$file" ] || continue
  args=()
  if [ "$whole" -eq 0 ]; then
    while read -r f lines; do
      [ "$f" = "$file" ] && args+=("--lines=$lines")
    done <<<"$ranges"
  fi
  checked=$((checked + 1))
  if [ "$fix" -eq 1 ]; then
    "$clang_format" -i "${args[@]}" "$file"
  elif ! "$clang_format" --dry-run -Werror "${args[@]}" "$file"; then
    failed+=("$file")
  fi
done < <(cut -d' ' -f1 <<<"$ranges" | uniq)

what="changed lines"
[ "$whole" -eq 1 ] && what="whole files"
if [ "$fix" -eq 1 ]; then
  echo "check-format: reformatted the $what of $checked file(s) changed since $(git rev-parse --short "$base")"
elif [ ${#failed[@]} -gt 0 ]; then
  echo "check-format: ${#failed[@]} of $checked file(s) changed since $(git rev-parse --short "$base") are not laid out" \
       "as .clang-format says: ${failed[*]}" >&2
  echo "check-format: scripts/check-format.sh --fix$([ "$whole" -eq 1 ] && echo ' --whole-files') $(git rev-parse --short "$base") reformats the $what" >&2
  exit 1
else
  echo "check-format: the $what of $checked file(s) changed since $(git rev-parse --short "$base") are laid out as .clang-format says"
fi
