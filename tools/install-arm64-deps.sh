#!/usr/bin/env bash
# Installs what the ARM64 cross-build and its tests need: the cross compiler, qemu-user, and the
# arm64 libraries that the tests link and load (GoogleTest, GMP, and the C library with its GBK
# converter), as Debian's arm64 packages beside the build machine's own (multiarch).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
  fi
  echo "Adding the arm64 architecture to dpkg"
  "${as_root[@]}" dpkg --add-architecture arm64
fi
tools/install-deps.sh g++-aarch64-linux-gnu qemu-user \
  libc6:arm64 libstdc++6:arm64 libgtest-dev:arm64 libgmp-dev:arm64
