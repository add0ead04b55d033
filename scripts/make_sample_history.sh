#!/bin/sh
# Rewrites the sample plant's results history: the results and conditions
# files of twelve sampling dates under data/bin/sk/Hornel (see
# make_sample_history.cpp) and the plant's results index svod.12 built from
# them with reformer-cli index-add.
#
# Usage: scripts/make_sample_history.sh [BUILD_DIR]
# BUILD_DIR holds a built reformer_core and reformer-cli (default build).
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:-$root/build}
data=$root/data/bin/sk
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

g++ -std=c++20 -O1 -Wall -Wextra -I "$root/src/core" -o "$tmp/make_sample_history" \
    "$here/make_sample_history.cpp" "$build/src/core/libreformer_core.a" \
    $(ls /usr/lib/*/libfreexl.so 2>/dev/null | head -n 1)
"$tmp/make_sample_history" "$data/Hornel" "$data/Hornel/01-09-09/01-09-09.dan" > "$tmp/list"

rm -f "$data/svod.12"
while read -r rez; do
    "$build/reformer-cli" index-add "$rez" "$data/svod.12"
done < "$tmp/list"
