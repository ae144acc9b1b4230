#!/usr/bin/env bash
# Runs the organizer benchmark on a real X display (Xvfb, Debian package xvfb), as users run
# Kivuna: the offscreen platform has no display connection and misses part of the cost.
# Arguments pass on: a number of files, "busy".
set -euo pipefail
bench="$(cd "$(dirname "$0")/../.." && pwd)/build/bin/bench_organizer"
exec xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb "$bench" "$@"
