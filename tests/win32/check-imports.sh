#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that is not part of Windows itself (a C++ or GCC
# runtime left out of the static link, say).
# Usage: check-imports.sh PROGRAM.exe...
set -euo pipefail
system='^(kernel32|user32|gdi32|comctl32|advapi32|shell32|ole32|msvcrt|ucrtbase|api-ms-win-.*)\.dll$'
status=0
for program in "$@"; do
  mapfile -t dlls < <(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p')
  if ((${#dlls[@]} == 0)); then
    echo "$program: no imports found"
    status=1
  fi
  for dll in "${dlls[@]}"; do
    if ! [[ ${dll,,} =~ $system ]]; then
      echo "$program imports $dll, which is not a system DLL"
      status=1
    fi
  done
  echo "$(basename "$program"): ${dlls[*]}"
done
exit $status
