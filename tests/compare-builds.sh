#!/usr/bin/env bash
# Presses the same generated lines through two builds of quorvel-cli --batch and fails on any
# difference, showing the first few lines that differ with their input.
# Usage: compare-builds.sh [--json] GENERATOR COUNT REFERENCE_CLI OTHER_CLI_COMMAND...
# With --json both answer in JSON lines.
set -euo pipefail
options=(--batch)
if [[ $1 == --json ]]; then
  options+=(--json)
  shift
fi
generator=$1 count=$2 reference=$3
shift 3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$generator" "$count" >"$work/presses"
"$reference" "${options[@]}" <"$work/presses" >"$work/reference"
"$@" "${options[@]}" <"$work/presses" >"$work/other"

lines=$(wc -l <"$work/presses")
if cmp -s "$work/reference" "$work/other"; then
  echo "$lines presses, identical output"
  exit 0
fi
echo "the outputs differ (reference <, other >):"
diff "$work/reference" "$work/other" | head -n 20 || true
echo "the presses of the first lines that differ:"
for n in $(diff "$work/reference" "$work/other" | grep -oE '^[0-9]+' | head -n 5 || true); do
  echo "line $n: $(sed -n "${n}p" "$work/presses")"
done
exit 1
