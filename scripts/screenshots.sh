#!/usr/bin/env bash
# Takes the screenshots of the main windows for the user guide and the README
# (docs/screenshots/*.png): builds the screenshot tool if needed and runs it
# on a virtual X display, so the pictures show the windows as an X session
# draws them. Run it again whenever a window changes.
#
#   scripts/screenshots.sh [BUILD_DIR]      (default: build)
set -euo pipefail

cd "$(dirname "$0")/.."
build=${1:-build}
out=$PWD/docs/screenshots

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
fi
# The calculation window needs the stand-in model beside the sample data.
cmake --build "$build" --target screenshots_test standin_vortan standin_selvin

mkdir -p "$out"
# A fixed font size and no desktop scaling, so the pictures do not depend on
# the machine that took them.
export QT_SCALE_FACTOR=1 QT_AUTO_SCREEN_SCALE_FACTOR=0 QT_FONT_DPI=96
if command -v xvfb-run > /dev/null; then
    xvfb-run -a -s "-screen 0 1600x1200x24" "$build/tests/screenshots_test" --out "$out"
else
    echo "xvfb-run is not installed (apt install xvfb): drawing offscreen instead" >&2
    QT_QPA_PLATFORM=offscreen "$build/tests/screenshots_test" --out "$out"
fi
# Smaller files for the repository; the pictures stay the same.
if command -v optipng > /dev/null; then optipng -quiet -o2 "$out"/*.png; fi
ls -l "$out"
