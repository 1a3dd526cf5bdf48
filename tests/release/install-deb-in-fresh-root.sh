#!/usr/bin/env bash
# Installs the .deb into a fresh Debian 12 root as a user would, with apt pulling in its
# dependencies; then runs quorvel-cli there and starts the window (offscreen), which must still
# be waiting at its first notice after five seconds. Needs root (debootstrap, chroot, mount).
# Usage: install-deb-in-fresh-root.sh QUORVEL.deb [DEBIAN_MIRROR]
# The mirror is by default the one this machine's apt uses.
set -euo pipefail
deb=$(realpath "$1")
mirror=${2:-}
if [ -z "$mirror" ]; then
  mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -v security | head -n 1 || true)
fi
if [ -z "$mirror" ]; then
  mirror=$(awk '$1 == "deb" && $3 !~ /security/ { print $2; exit }' /etc/apt/sources.list \
    2>/dev/null || true)
fi
mirror=${mirror:-http://deb.debian.org/debian}
root=$(mktemp -d /var/tmp/quorvel-root.XXXXXX)
cleanup() {
  for mount in dev proc; do
    umount "$root/$mount" 2>/dev/null || true
  done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT

echo "debootstrap: a minimal Debian 12 from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 ||
  { cat "$root.log"; exit 1; }
rm -f "$root.log"
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
in_root apt-get update -q >/dev/null
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  "/tmp/$(basename "$deb")" | tail -n 3

answer=$(in_root quorvel-cli 1 100 3 4 5)
echo "quorvel-cli 1 100 3 4 5: $answer"
[ "$answer" = "x:y:z=42:31:25" ]
in_root quorvel-cli --version
status=0
mkdir -m 700 "$root/run/user-0"
in_root env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/run/user-0 timeout 5 quorvel || status=$?
if [ "$status" != 124 ]; then
  echo "the window did not keep running: exit status $status"
  exit 1
fi
echo "the window started and waited at its first notice"
