#!/usr/bin/env bash
# Draws the icon (the shapes of org.kivuna.Kivuna.svg, at four times 256 pixels) and shrinks it
# into the hicolor sizes that menus and docks ask for. Run by hand after changing the drawing
# (needs ImageMagick); the PNG files are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
big=$(mktemp --suffix=.png)
trap 'rm -f "$big"' EXIT
convert -size 1024x1024 xc:none \
  \( -size 928x928 gradient:'#3a6fb0-#1d3f6e' \
     \( -size 928x928 xc:none -fill white -draw 'roundrectangle 0,0 927,927 176,176' \) \
     -compose DstIn -composite \) -geometry +48+48 -compose Over -composite \
  -fill '#f4f1e8' -stroke '#c9c2ad' -strokewidth 16 \
  -draw 'path "M 480,240 L 824,240 Q 880,240 880,296 L 880,728 Q 880,784 824,784 L 480,784 L 336,512 Z"' \
  -stroke none -fill '#1d3f6e' -draw 'circle 448,512 484,512' \
  -stroke '#1d3f6e' -strokewidth 40 -draw 'line 704,336 704,600' \
  -fill none -strokewidth 36 -draw 'path "M 704,336 Q 784,368 800,448"' \
  -stroke none -fill '#1d3f6e' -draw 'ellipse 640,608 80,60 0,360' \
  -stroke '#f4f1e8' -strokewidth 20 -draw 'line 160,512 336,512' \
  "$big"
for size in 16 24 32 48 64 128 256; do
  convert "$big" -filter Box -resize ${size}x${size} -strip PNG32:org.kivuna.Kivuna-${size}.png
done
