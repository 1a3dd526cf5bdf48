#!/usr/bin/env bash
# Installs a Linux build into a scratch prefix and checks that the window shows in the
# application menu with its icon: the programs, the desktop entry and the icon in the hicolor
# theme at every size. Usage: check-install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
status=0
expect() {
  if [ ! -s "$prefix/$1" ]; then
    echo "missing: $1"
    status=1
  fi
}
expect bin/quorvel
expect bin/quorvel-cli
expect share/applications/quorvel.desktop
expect share/icons/hicolor/scalable/apps/quorvel.svg
for size in 16 24 32 48 64 128 256; do
  image=share/icons/hicolor/${size}x${size}/apps/quorvel.png
  expect "$image"
  # A PNG of that size: the width and height in its header.
  if [ -s "$prefix/$image" ]; then
    read -r width height < <(od -An -tu1 -j16 -N8 "$prefix/$image" |
      awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    if [ "$width" != "$size" ] || [ "$height" != "$size" ]; then
      echo "$image is ${width}x${height}"
      status=1
    fi
  fi
done
if ! grep -qx 'Icon=quorvel' "$prefix/share/applications/quorvel.desktop"; then
  echo "the desktop entry does not name the icon"
  status=1
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/quorvel.desktop" || status=1
fi
[ "$status" = 0 ] && echo "installed: the programs, the desktop entry and the icon at every size"
exit "$status"
