#!/usr/bin/env bash
# Run under xvfb-run: starts Kivuna (the program given), points at the edit switch and clicks it,
# which loads pictures of the Res folder, then ends it.
set -u
# On the display xvfb-run gives, not on a platform the caller set.
env -u QT_QPA_PLATFORM "$1" & pid=$!
window=
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "no window of Kivuna appeared" >&2
  kill "$pid"
  exit 1
fi
sleep 0.5
# The edit switch lies at (16, 57) in the client area, below the menu bar.
xdotool mousemove --window "$window" 60 85 click 1
sleep 1
kill "$pid"
