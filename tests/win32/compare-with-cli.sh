#!/usr/bin/env bash
# Presses every line of a press table through the real Windows window (under Wine) and through
# quorvel-cli, and fails when the two show anything different.
# Usage: compare-with-cli.sh QUORVEL_CLI WINDOW_TESTS_EXE PRESSES_TSV
set -euo pipefail
cli=$1 window_tests=$2 presses=$3
here=$(cd "$(dirname "$0")" && pwd)
expected=$(mktemp) actual=$(mktemp) all=$(mktemp)
trap 'rm -f "$expected" "$actual" "$all"' EXIT
# The table, and odds pasted as 99,999 blanks and a 3 (longer than an edit control's own limit).
{
  cat "$presses"
  printf '1\t100\t%s3\t4\n' "$(printf '%*s' 99999 '')"
} >"$all"
"$cli" --batch <"$all" >"$expected"
"$here/../../tools/wine-run.sh" "$window_tests" --presses "$all" | tr -d '\r' >"$actual"
if ! diff -u "$expected" "$actual"; then
  echo "the window and quorvel-cli differ (above: - cli, + window)"
  exit 1
fi
echo "$(wc -l <"$expected") presses: the window shows what quorvel-cli shows"
