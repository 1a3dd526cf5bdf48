#!/usr/bin/env bash
# Runs the Windows installer under Wine in a fresh prefix as a user without administrator rights
# would: a silent install for the current user, the installed programs started from where they
# were installed, and a silent uninstall that leaves nothing behind.
# Usage: check-installer.sh SETUP.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
setup=$(realpath "$1")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
QUORVEL_WINEPREFIX=$(mktemp -d)/prefix
export QUORVEL_WINEPREFIX WINEPREFIX=$QUORVEL_WINEPREFIX WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$(dirname "$QUORVEL_WINEPREFIX")"' EXIT
wine_run() { "$here/../../tools/wine-run.sh" "$@"; }
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'

# It asks for no elevation: its manifest runs it with the rights of whoever starts it.
wrestool --extract --raw --type=24 "$setup" | grep -q 'level="asInvoker"'

wine_run "$setup" /S
user_dir=$WINEPREFIX/drive_c/users/$(whoami)
installed=$user_dir/AppData/Local/Programs/Quorvel
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk"
for file in Quorvel.exe quorvel-cli.exe uninstall.exe README.md LICENSE.txt; do
  [ -f "$installed/$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -f "$shortcut" ] || { echo "no Start-menu shortcut"; exit 1; }
wine reg query "$key" /v DisplayVersion | grep -q REG_SZ || { echo "no uninstall entry"; exit 1; }
echo "installed into $installed, with a shortcut and an uninstall entry"

answer=$(wine_run --console "$installed/quorvel-cli.exe" 1 100 3 4 5 | tr -d '\r')
[ "$answer" = "x:y:z=42:31:25" ] || { echo "quorvel-cli.exe answered \"$answer\""; exit 1; }
wine "$installed/Quorvel.exe" &
shown=false
for _ in $(seq 200); do
  if xdotool search --name '信息：' >/dev/null 2>&1; then
    shown=true
    break
  fi
  sleep 0.1
done
wineserver -k 2>/dev/null || true
wait || true
[ "$shown" = true ] || { echo "Quorvel.exe showed no notice"; exit 1; }
echo "quorvel-cli.exe and Quorvel.exe run from there"

# The uninstaller copies itself away and goes on from there: wait for it to finish.
wine_run "$installed/uninstall.exe" /S
for _ in $(seq 100); do
  [ -e "$installed" ] || break
  sleep 0.2
done
wineserver --wait 2>/dev/null || true
left=()
[ -e "$installed" ] && left+=("$installed")
[ -e "$shortcut" ] && left+=("the shortcut")
wine reg query "$key" >/dev/null 2>&1 && left+=("the uninstall entry")
if ((${#left[@]} > 0)); then
  echo "left behind after uninstalling: ${left[*]}"
  exit 1
fi
echo "uninstalled: nothing left behind"
