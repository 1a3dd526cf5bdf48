#!/usr/bin/env bash
# Checks the version resource of Windows programs (what Explorer's Details tab shows): the
# product name, the file and product versions, and the original file name.
# Usage: check-version.sh VERSION PROGRAM.exe...
set -euo pipefail
version=$1
shift
status=0
for program in "$@"; do
  # The resource's strings, each key followed by its value.
  mapfile -t strings < <(wrestool --extract --raw --type=16 "$program" | strings -el)
  value() {
    local i
    for ((i = 0; i + 1 < ${#strings[@]}; i++)); do
      [ "${strings[i]}" = "$1" ] && { echo "${strings[i + 1]}"; return; }
    done
  }
  name=$(basename "$program")
  for expected in "ProductName=Quorvel" "FileVersion=$version" "ProductVersion=$version" \
                  "OriginalFilename=$name"; do
    got=$(value "${expected%%=*}")
    if [ "$got" != "${expected#*=}" ]; then
      echo "$name: ${expected%%=*} is \"$got\", expected \"${expected#*=}\""
      status=1
    fi
  done
  [ -n "$(value FileDescription)" ] || { echo "$name: no FileDescription"; status=1; }
done
[ "$status" = 0 ] && echo "version $version in $# programs"
exit "$status"
