#!/usr/bin/env bash
# Run under xvfb-run: starts Kivuna (the program given), points at the edit switch and clicks it,
# which loads pictures of the Res folder, again and again until the file named second exists
# (the caller saw the pictures opened) or a minute has passed; then ends Kivuna.
set -u
# On the display xvfb-run gives, not on a platform the caller set.
env -u QT_QPA_PLATFORM "$1" & pid=$!
window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "no window of Kivuna appeared" >&2
  kill "$pid"
  exit 1
fi
# The edit switch lies at (16, 57) in the client area, below the menu bar.
for _ in $(seq 120); do
  [ -e "$2" ] && break
  sleep 0.5
  xdotool mousemove --window "$window" 60 85 click 1
done
kill "$pid"
