#!/bin/sh
# Rewrites the sample results histories: the results and conditions files of
# the sample plants' sampling dates under data/bin/sk (see
# make_sample_history.cpp) and their results indexes svod.<n> built from them
# with reformer-cli index-add.
#
# The sample plant's cycle (svod.12) is laid through the stand-in model's own
# result of the shipped sampling date 01-09-09, calculated here on a copy of
# the data tree (pipeline, then calc), so the record a calculation of that
# date adds to the history lands on the line instead of standing out of it.
#
# Usage: scripts/make_sample_history.sh [BUILD_DIR]
# BUILD_DIR holds a built reformer_core, reformer-cli and the stand-in model
# programs in its bin/sk (default build).
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

# The stand-in's result of 01-09-09, on a copy of the installed base folder.
cp -r "$build/bin/sk" "$tmp/base"
rm -f "$tmp/base"/svod.*
"$build/reformer-cli" --base "$tmp/base" pipeline > /dev/null
"$build/reformer-cli" --base "$tmp/base" calc "$tmp/base/Hornel/01-09-09/01-09-09.dan" --plant-index 11 > /dev/null
anchor=$tmp/base/Hornel/01-09-09/01-09-09.rez

"$tmp/make_sample_history" "$data" "$data/Hornel/01-09-09/01-09-09.dan" "$anchor" > "$tmp/list"

rm -f "$data"/svod.*
while read -r plant rez; do
    "$build/reformer-cli" index-add "$rez" "$data/svod.$plant" > /dev/null
done < "$tmp/list"
