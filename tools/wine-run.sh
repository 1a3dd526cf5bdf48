#!/usr/bin/env bash
# Runs a Windows program under Wine on a virtual X display, in a Wine prefix of the project's own
# (made on first use, with CJK font substitutes so that Chinese texts render).
# Usage: tools/wine-run.sh [--console] [--dpi N] PROGRAM.exe [ARGUMENT...]
# --console: a console program, run without a display (nothing but its own output on stderr).
# --dpi N: a display scaled to N DPI (96 is 100 %, 144 is 150 %, 192 is 200 %), in a prefix of
#          its own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=${QUORVEL_WINEPREFIX:-$here/../build/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers

console=false
dpi=96
while true; do
  case "${1:-}" in
    --console) console=true; shift ;;
    --dpi) dpi=$2; shift 2 ;;
    *) break ;;
  esac
done
if [ "$dpi" != 96 ]; then
  export WINEPREFIX=$WINEPREFIX-dpi$dpi
fi

if [ "$console" = false ] && [ -z "${DISPLAY:-}" ]; then
  args=()
  [ "$dpi" != 96 ] && args=(--dpi "$dpi")
  exec xvfb-run -a -s "-screen 0 1920x1440x24" "$0" "${args[@]}" "$@"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver --wait
  # The faces the dialogs and the default GUI font ask for, mapped to an installed CJK font.
  substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS Sans Serif" "SimSun" "NSimSun" \
              "Microsoft YaHei" "Segoe UI"; do
    wine reg add "$substitutes" /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  # Without a window manager on the display, Wine waits two seconds for one whenever a managed
  # window is hidden: let Wine draw and place its windows itself, as Windows does.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # The display's scaling, where Wine and Windows programs read it.
  if [ "$dpi" != 96 ]; then
    for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
      wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    done
  fi
  wineserver --wait
fi
if [ "$console" = true ]; then
  unset DISPLAY
fi
exec wine "$@"
