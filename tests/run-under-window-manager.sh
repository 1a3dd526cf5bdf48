#!/usr/bin/env bash
# Runs a program on a virtual X display under a real window manager (openbox), on Qt's X11
# platform. Usage: run-under-window-manager.sh PROGRAM [ARGUMENT...]
set -euo pipefail
if [ -z "${QUORVEL_IN_XVFB:-}" ]; then
  exec env QUORVEL_IN_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
openbox --sm-disable >/dev/null 2>&1 &
manager=$!
trap 'kill "$manager" 2>/dev/null || true' EXIT
# Wait until the window manager has taken the screen.
for _ in $(seq 100); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    break
  fi
  sleep 0.1
done
QT_QPA_PLATFORM=xcb QUORVEL_WINDOW_MANAGER=openbox "$@"
