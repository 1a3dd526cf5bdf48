#!/usr/bin/env bash
# Takes docs/window.png: the window under a virtual X display, after a press of the first button.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh xvfb xdotool imagemagick
cmake --preset default
cmake --build --preset default --target quorvel

display=:93
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$program" "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
build/default/app/qt/quorvel &
program=$!
sleep 1.5
xdotool key Return   # the maker's address
sleep 0.5
xdotool key Return   # the second start-up notice
sleep 0.5

# The window stands centred with no frame (there is no window manager): client (0, 0) lies at
# ((1024 - 380) / 2, (768 - 385) / 2).
left=322 top=191
type_into() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; xdotool type "$3"; }
type_into 48 44 100
type_into 136 27 3
type_into 136 57 4
type_into 136 87 5
xdotool mousemove $((left + 292)) $((top + 31)) click 1
sleep 0.5
mkdir -p docs
import -window root -crop 374x356+$left+$top docs/window.png
echo "wrote docs/window.png"
