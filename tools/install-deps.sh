#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, skipping those already there.
# Usage: tools/install-deps.sh [EXTRA_PACKAGE...]
set -euo pipefail

packages=(
  g++ cmake make            # compiler and build
  libfast-float-dev         # correctly rounded decimal-to-double conversion (header-only)
  libfmt-dev                # shortest digits of a double where the C++ library has none (header-only)
  libgtest-dev              # unit tests
  libbenchmark-dev          # benchmarks
  libgmp-dev                # exact rationals for the arithmetic's reference model in the tests
  locales                   # locale sources, for the test that reads numbers under a comma locale
  qt6-base-dev              # the Linux window (Qt 6 Widgets) and its tests (Qt Test)
  libxcb1-dev               # the Linux window's hints to an X11 window manager
  librsvg2-bin icoutils     # the icon's sizes from its vector source (rsvg-convert, icotool)
  xvfb xauth openbox        # the window's tests under a real window manager on a virtual display
  x11-utils xdotool         # ... waiting for the window manager, typing through the X server
  fonts-wqy-microhei        # a CJK font, so that the window's Chinese texts render
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
