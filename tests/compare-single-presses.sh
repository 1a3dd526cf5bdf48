#!/usr/bin/env bash
# Runs single presses, options and usage errors through two builds of quorvel-cli and fails on
# any difference in what they print or in their exit status. The arguments are well-formed
# UTF-8: raw bytes in arguments reach a program under node or on Windows only as characters.
# Usage: compare-single-presses.sh REFERENCE_CLI OTHER_CLI_COMMAND...
set -uo pipefail
reference=$1
shift

# One case per line: the arguments, separated by "|" ("" for an empty text).
cases=$(
  cat <<'CASES'
1|100|3|4|5
2|100|３|4.5|5
3|１００|２．５|3|4|5.5
1|100|２|２
1||3
1|100|||3
1|100|3|4||6
2|100|1.01|1.01|1.01
3|99999999|1.0000001|50|50
1|100|赔率|3
1|１２３|3|4
1|100|3 |4|😀|5
1|-5|3|4
1|1e3|3|4
--explain|1|100|3|4|5
--explain|2|100|3|4.5|5
--explain|1|100|1.5|1.5
--json|3|100|3|4.5|5|8
--json|1||3
--json|1|100|3||5
--help
7|100|3|4
--explain|--json|1|100|3|4
1|100|3|4|5|6|7
--batch|1
CASES
)

failures=0
count=0
while IFS= read -r line; do
  IFS='|' read -r -a arguments <<<"$line"
  expected=$("$reference" "${arguments[@]}" 2>&1)
  expected_status=$?
  actual=$("$@" "${arguments[@]}" 2>&1)
  actual_status=$?
  count=$((count + 1))
  if [[ $expected != "$actual" || $expected_status != "$actual_status" ]]; then
    failures=$((failures + 1))
    echo "differs: $line"
    echo "  reference (status $expected_status): $expected"
    echo "  other (status $actual_status): $actual"
  fi
done <<<"$cases"

if ((failures > 0)); then
  echo "$failures of $count cases differ"
  exit 1
fi
echo "$count cases, the same output and exit status"
