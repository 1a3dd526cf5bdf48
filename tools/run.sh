#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset default
cmake --build --preset default --target quorvel quorvel-cli
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to open the window on; an example press through quorvel-cli instead:"
  echo "quorvel-cli 1 100 3 4 5"
  exec build/default/cli/quorvel-cli 1 100 3 4 5
fi
exec build/default/app/qt/quorvel
