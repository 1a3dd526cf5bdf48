#!/usr/bin/env bash
# Measures the window's start-up under a virtual X display: the time from launch until the first
# notice is mapped on the screen (seen by xev as the first MapNotify on the root window), and the
# resident memory once both notices are dismissed and the window is open. Five runs.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh xvfb xdotool x11-utils
cmake --preset default >/dev/null
cmake --build --preset default --target quorvel >/dev/null

display=:94
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
mapped=$(mktemp)
trap 'kill "$xvfb" 2>/dev/null || true; rm -f "$mapped"' EXIT
export DISPLAY=$display
sleep 1

wait_for() {  # wait_for FILE_OR_WINDOW_NAME: up to five seconds
  for _ in $(seq 500); do
    if [ -s "$1" ] || xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then return 0; fi
    sleep 0.01
  done
  echo "timed out waiting for $1" >&2
  return 1
}

for run in 1 2 3 4 5; do
  : >"$mapped"
  (xev -root -event substructure | while read -r line; do
     case $line in MapNotify*) date +%s%N >"$mapped"; break ;; esac
   done) &
  watcher=$!
  sleep 0.3
  start=$(date +%s%N)
  build/default/app/qt/quorvel 2>/dev/null &
  program=$!
  wait_for "$mapped"
  shown=$(cat "$mapped")
  xdotool key Return
  sleep 0.3
  xdotool key Return
  wait_for '^Quorvel$'
  sleep 0.3
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$program/status")
  kill "$program" "$watcher" 2>/dev/null || true
  pkill -x xev 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  echo "run $run: first notice after $(((shown - start) / 1000000)) ms; window open: $((rss / 1024)) MiB resident"
done
