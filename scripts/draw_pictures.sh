#!/bin/sh
# Redraws the pictures of data/bin/sk/Basa/Pic with scripts/draw_pictures.cpp.
# Needs the Qt 6 development files (qt6-base-dev); run from anywhere.
set -e
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../data/bin/sk/Basa/Pic}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -O1 -fPIC -o "$tmp/draw_pictures" "$here/draw_pictures.cpp" \
    $(pkg-config --cflags --libs Qt6Widgets)
QT_QPA_PLATFORM=offscreen "$tmp/draw_pictures" "$out"
