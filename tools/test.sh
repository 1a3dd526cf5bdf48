#!/usr/bin/env bash
# Installs what is missing, builds from scratch with the release preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
rm -rf build/default
cmake --preset default
cmake --build --preset default
ctest --preset default
