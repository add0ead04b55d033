#!/usr/bin/env bash
# Draws the program's icon (three reactors with their catalyst beds) with
# ImageMagick; the PNGs are committed, so this runs only when the icon changes.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 256x256 xc:none \
  -fill '#1f5f8b' -draw 'roundrectangle 8,8 248,248 36,36' \
  -fill '#e8eef3' -draw 'roundrectangle 38,40 88,220 22,22' \
  -draw 'roundrectangle 104,40 154,220 22,22' -draw 'roundrectangle 170,40 220,220 22,22' \
  -fill '#f0a030' -draw 'rectangle 46,120 80,200' -draw 'rectangle 112,100 146,200' -draw 'rectangle 178,80 212,200' \
  -stroke '#e8eef3' -strokewidth 8 -fill none -draw 'line 88,70 104,70' -draw 'line 154,70 170,70' \
  -depth 8 -strip reformer-workbench.png
convert reformer-workbench.png -resize 48x48 -depth 8 -strip reformer-workbench-48.png
