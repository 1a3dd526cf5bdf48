#!/usr/bin/env bash
# Builds the browser page, one self-contained file: build/web/app/web/quorvel.html. Installs
# what is missing (Debian's emscripten) first.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh emscripten
cmake --preset web
cmake --build --preset web --target quorvel_page
echo "built $(pwd)/build/web/app/web/quorvel.html ($(stat -c %s build/web/app/web/quorvel.html) bytes)"
