#!/usr/bin/env bash
# Retakes docs/page.png (the page at the window's 374 x 356) and docs/page-phone.png (a
# 360-pixel-wide phone after a press) in headless chromium, through the page's layout tests.
# Needs build/web (tools/build-page.sh) and build/default (tools/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d tests/web/node_modules ] || npm ci --prefix tests/web --no-audit --no-fund
QUORVEL_PAGE=build/web/app/web/quorvel.html QUORVEL_CLI=build/default/cli/quorvel-cli \
  QUORVEL_SCREENSHOT_DIR=docs \
  node --test --test-name-pattern='places and sizes|360-pixel' tests/web/page_test.mjs
