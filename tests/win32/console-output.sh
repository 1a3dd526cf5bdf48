#!/usr/bin/env bash
# quorvel-cli.exe writing to a console (a terminal, through Wine's console) must show the same
# characters as the Linux quorvel-cli prints: Chinese notices, result lines and --explain.
# Usage: console-output.sh LINUX_CLI WINE_RUN WINDOWS_CLI
set -euo pipefail
linux=$1 wine_run=$2 windows=$3
status=0
for arguments in "1 '' 3" "1 100 ３ ４" "2 100 1.01 1.01" "--explain 3 100 3 4.5 5"; do
  expected=$(eval "\"$linux\" $arguments" || true)
  # script gives the program a terminal; the console's control sequences and carriage
  # returns are taken out of what it shows.
  shown=$(LC_ALL=C.UTF-8 script -qec "\"$wine_run\" --console \"$windows\" $arguments" /dev/null |
    sed -e 's/\x1b\[[0-9;?]*[a-zA-Z]//g' | tr -d '\r' || true)
  if [[ $shown != "$expected" ]]; then
    echo "differs: $arguments"
    echo "  Linux: $expected"
    echo "  Windows console: $shown"
    status=1
  fi
done
[[ $status == 0 ]] && echo "the console shows what the Linux build prints"
exit $status
