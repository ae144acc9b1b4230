#!/usr/bin/env bash
# Runs a benchmark on a real X display (Xvfb, Debian package xvfb), as users run Kivuna: the
# offscreen platform has no display connection and misses part of the cost.
# Usage: bench/under_x.sh bench_organizer [files] [busy] | bench/under_x.sh bench_editor
set -euo pipefail
bench="$(cd "$(dirname "$0")/.." && pwd)/build/bin/$1"
shift
exec xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb "$bench" "$@"
