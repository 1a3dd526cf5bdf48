#!/usr/bin/env bash
# Builds every release artefact of the current commit, from scratch, into build/release/ with a
# SHA256SUMS file:
#   quorvel_VERSION-1_amd64.deb              Debian 12 and derivatives (window and quorvel-cli)
#   Quorvel-VERSION-windows-x64.zip          Quorvel.exe, quorvel-cli.exe, README.md, LICENSE.txt
#   Quorvel-VERSION-windows-x64-setup.exe    the same as a per-user installer (/S: silently)
#   quorvel-VERSION.html                     the web page, one self-contained file
# Two runs from the same commit give the same bytes: every time stamp is the commit's
# (SOURCE_DATE_EPOCH), archives list their members in a fixed order, and the Windows programs
# carry no link time.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release.sh: the tree has changes that are not committed; a release is built from a commit" >&2
  exit 1
fi
tools/install-deps.sh g++-mingw-w64-x86-64 nsis zip emscripten
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
version=$(sed -n 's/^project(quorvel VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
work=build/release-work
out=build/release
rm -rf "$work" "$out"
mkdir -p "$work" "$out"
release_options=(-DQUORVEL_WERROR=ON -DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCHMARKS=OFF)

echo "== Linux: the .deb"
cmake -S . -B "$work/linux" -DCMAKE_BUILD_TYPE=Release "${release_options[@]}" >/dev/null
cmake --build "$work/linux" -j2
(cd "$work/linux" && cpack -G DEB >/dev/null)
cp "$work/linux/quorvel_${version}-1_amd64.deb" "$out/"

echo "== Windows: the zip and the installer"
cmake -S . -B "$work/windows" --toolchain cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=MinSizeRel "${release_options[@]}" >/dev/null
cmake --build "$work/windows" -j2 --target Quorvel quorvel-cli
files=$work/windows-files
mkdir -p "$files"
cp "$work/windows/app/win32/Quorvel.exe" "$work/windows/cli/quorvel-cli.exe" README.md "$files/"
cp LICENSE "$files/LICENSE.txt"
touch -d "@$SOURCE_DATE_EPOCH" "$files"/*
(cd "$files" && zip -X -D -9 -q "$OLDPWD/$out/Quorvel-${version}-windows-x64.zip" \
  Quorvel.exe quorvel-cli.exe README.md LICENSE.txt)
cp "$work/windows/app/icon/quorvel.ico" "$files/"
makensis -V2 -DVERSION="$version" -DSOURCE="$PWD/$files" \
  -DOUTPUT="$PWD/$out/Quorvel-${version}-windows-x64-setup.exe" packaging/windows/quorvel.nsi

echo "== the web page"
NODE_PATH=/usr/share/nodejs cmake -S . -B "$work/web" \
  --toolchain /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DQUORVEL_BUILD_QT=OFF "${release_options[@]}" >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build "$work/web" -j2 --target quorvel_page
cp "$work/web/app/web/quorvel.html" "$out/quorvel-${version}.html"

(cd "$out" && sha256sum -- * >SHA256SUMS)
echo "== build/release, from commit $(git rev-parse --short HEAD):"
cat "$out/SHA256SUMS"
