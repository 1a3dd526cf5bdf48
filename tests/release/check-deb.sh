#!/usr/bin/env bash
# Checks the .deb as Debian would: lintian with no error, the AppStream metainfo and the desktop
# entry valid, and the files a user looks for in it. Usage: check-deb.sh QUORVEL.deb
set -euo pipefail
deb=$1
contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
lintian --fail-on error "$deb"
dpkg-deb -x "$deb" "$contents"
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$contents/usr/share/applications/quorvel.desktop"
status=0
for file in usr/bin/quorvel usr/bin/quorvel-cli usr/share/applications/quorvel.desktop \
            usr/share/icons/hicolor/scalable/apps/quorvel.svg \
            usr/share/icons/hicolor/48x48/apps/quorvel.png \
            usr/share/man/man1/quorvel.1.gz usr/share/man/man1/quorvel-cli.1.gz \
            usr/share/doc/quorvel/copyright; do
  [ -s "$contents/$file" ] || { echo "missing: $file"; status=1; }
done
grep -q "Permission is hereby granted" "$contents/usr/share/doc/quorvel/copyright" ||
  { echo "the copyright file does not hold the licence"; status=1; }
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libc6 libqt6widgets6; do
  [[ $depends == *"$library"* ]] || { echo "no dependency on $library"; status=1; }
done
[ "$status" = 0 ] && echo "$(basename "$deb"): lintian, AppStream and the desktop entry pass"
exit "$status"
