#!/usr/bin/env bash
# Measures the browser page in headless chromium (tools/build-page.sh builds it; tests/web's
# puppeteer-core is installed here if missing): navigation to the first notice, and a press.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh chromium
[ -d tests/web/node_modules ] || npm ci --prefix tests/web --no-audit --no-fund
node tests/web/measure_page.mjs build/web/app/web/quorvel.html "$@"
