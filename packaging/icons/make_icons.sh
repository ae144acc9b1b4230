#!/usr/bin/env bash
# Renders org.kivuna.Kivuna.svg into the hicolor sizes that menus and docks ask for, keeping the
# transparent corners around the rounded square. Run by hand after changing the drawing (needs
# rsvg-convert, Debian: librsvg2-bin); the PNG files are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "org.kivuna.Kivuna-${size}.png" org.kivuna.Kivuna.svg
done
