#!/usr/bin/env bash
# Packs the cross-built Windows programs into dist/: per architecture a portable .zip and a
# per-user NSIS installer. Usage: package-windows.sh <windows build folder> <dist> <arch>...
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$1
dist=$2
shift 2
version=$(sed -n 's/^project(tidewell VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
mkdir -p "$dist"
for arch in "$@"; do
  exe="$build/$arch/tidewell.exe"
  [ -f "$exe" ] || { echo "package-windows: $exe was not built" >&2; exit 1; }
  case "$arch" in
    x86_64) suffix=win64 target=amd64-unicode ;;
    i686) suffix=win32 target=x86-unicode ;;
    *) echo "package-windows: unknown architecture $arch" >&2; exit 1 ;;
  esac
  stage=$(mktemp -d)
  mkdir "$stage/Tidewell"
  # The debugging symbols stay in the build tree.
  "$arch-w64-mingw32-strip" -o "$stage/Tidewell/tidewell.exe" "$exe"
  rm -f "$dist/tidewell-$version-$suffix.zip"
  (cd "$stage" && zip -qr9 - Tidewell) > "$dist/tidewell-$version-$suffix.zip"
  makensis -V2 -DVERSION="$version" -DEXE="$stage/Tidewell/tidewell.exe" -DTARGET="$target" \
    -DOUTFILE="$(realpath "$dist")/tidewell-$version-setup-$suffix.exe" \
    "$here/packaging/windows/tidewell.nsi"
  ls -l "$stage/Tidewell/tidewell.exe" "$dist/tidewell-$version-$suffix.zip" \
    "$dist/tidewell-$version-setup-$suffix.exe"
  rm -rf "$stage"
done
