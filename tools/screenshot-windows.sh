#!/usr/bin/env bash
# Takes docs/window-wine.png (or docs/window-wine-DPI.png): Quorvel.exe under Wine on a virtual X
# display scaled to DPI (96 unless given), after a press of the first button with 100, 3, 4 and
# 5 typed from the keyboard. Needs the Linux packages below and builds the Windows preset first.
# Usage: tools/screenshot-windows.sh [DPI]
set -euo pipefail
cd "$(dirname "$0")/.."
dpi=${1:-96}
tools/install-deps.sh g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth xdotool imagemagick
cmake --preset windows >/dev/null
cmake --build --preset windows --target Quorvel

out=docs/window-wine.png
[ "$dpi" != 96 ] && out=docs/window-wine-$dpi.png
display=:92
Xvfb "$display" -screen 0 1920x1440x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
tools/wine-run.sh --dpi "$dpi" build/windows/app/win32/Quorvel.exe &
program=$!
sleep 5
xdotool key Return   # the maker's address
sleep 1
xdotool key Return   # the second start-up notice
sleep 1.5
# The focus starts in the total box; Tab goes on through the odds boxes to the first button,
# which Enter presses.
xdotool type --delay 50 100
for odds in 3 4 5; do
  xdotool key Tab
  xdotool type --delay 50 "$odds"
done
xdotool key Tab Tab Return   # past the empty t box to the first button
sleep 1
window=$(xdotool search --name '^Quorvel$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p docs
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
kill "$program" 2>/dev/null || true
WINEPREFIX=build/wine-prefix wineserver -k 2>/dev/null || true
[ "$dpi" != 96 ] && WINEPREFIX=build/wine-prefix-dpi$dpi wineserver -k 2>/dev/null || true
echo "wrote $out (${WIDTH}x${HEIGHT})"
