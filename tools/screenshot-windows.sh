#!/usr/bin/env bash
# Takes docs/window-wine.png: Quorvel.exe under Wine on a virtual X display, after a press of the
# first button. Needs the Linux packages below and builds the Windows preset first.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth xdotool imagemagick
cmake --preset windows >/dev/null
cmake --build --preset windows --target Quorvel

display=:92
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
tools/wine-run.sh build/windows/app/win32/Quorvel.exe &
program=$!
sleep 4
xdotool key Return   # the maker's address
sleep 1
xdotool key Return   # the second start-up notice
sleep 1.5

# The window stands centred: its outer frame at ((1024 - 380) / 2, (768 - 385) / 2).
left=322 top=191
frame=$(xdotool search --name '^Quorvel$' | head -n 1)
client_left=$((left + 3)) client_top=$((top + 26))
type_into() { xdotool mousemove $((client_left + $1)) $((client_top + $2)) click 1; xdotool type "$3"; }
type_into 48 44 100
type_into 136 27 3
type_into 136 57 4
type_into 136 87 5
xdotool mousemove $((client_left + 292)) $((client_top + 31)) click 1
sleep 1
mkdir -p docs
import -window root -crop 380x385+$left+$top docs/window-wine.png
kill "$program" 2>/dev/null || true
WINEPREFIX=build/wine-prefix wineserver -k 2>/dev/null || true
echo "wrote docs/window-wine.png (window $frame)"
