#!/usr/bin/env bash
# Installs what is missing, builds the release preset and runs an example press.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset default
cmake --build --preset default --target quorvel-cli
echo "quorvel-cli 1 100 3 4 5"
build/default/cli/quorvel-cli 1 100 3 4 5
