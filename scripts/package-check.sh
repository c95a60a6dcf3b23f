#!/usr/bin/env bash
# Builds the Debian package from a configured build folder, unpacks it into a temporary root
# and checks that the programs, the launcher, the guide, the desktop entry and the icon are in
# it and that the launcher starts the tracker in the user's data folder.
# Usage: scripts/package-check.sh <build dir>     (the package is left in <build dir>/package)
# cpack builds what is out of date first.
set -euo pipefail
if [ $# -ne 1 ] || [ ! -f "$1/CPackConfig.cmake" ]; then
  echo "usage: $0 <configured build dir>" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
root=$(mktemp -d "${TMPDIR:-/tmp}/corvane-package.XXXXXX")
trap 'rm -rf "$root"' EXIT

rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$build/package")
debs=("$build"/package/corvane_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "FAIL: expected one corvane_*.deb in $build/package" >&2
  exit 1
fi
deb=${debs[0]}
echo "Package: $deb"
dpkg-deb -x "$deb" "$root/install"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = corvane ] || fail "package name is '$(field Package)'"
[ "$(field Version)" = 1.0.7.140 ] || fail "version is '$(field Version)'"
field Depends | grep -q 'libqt6widgets6' || fail "no Qt libraries among the dependencies: '$(field Depends)'"

usr="$root/install/usr"
for program in bin/corvane bin/kestrin bin/corvane-launch; do
  [ -f "$usr/$program" ] && [ -x "$usr/$program" ] || fail "missing or not executable: $program"
done
for file in share/corvane/Corvane.html share/applications/corvane.desktop \
            share/icons/hicolor/128x128/apps/corvane.png; do
  [ -s "$usr/$file" ] || fail "missing or empty: $file"
done
desktop="$usr/share/applications/corvane.desktop"
if [ -f "$desktop" ]; then
  grep -qx 'Exec=corvane-launch' "$desktop" || fail "the desktop entry does not start corvane-launch"
  grep -qx 'Icon=corvane' "$desktop" || fail "the desktop entry does not name the icon"
fi

# The launcher, beside a stand-in tracker that reports where it was started.
if [ -f "$usr/bin/corvane-launch" ]; then
  mkdir -p "$root/launch/bin"
  cp "$usr/bin/corvane-launch" "$root/launch/bin/"
  printf '#!/bin/sh\npwd\n' > "$root/launch/bin/corvane"
  chmod 755 "$root/launch/bin/corvane"
  started=$(cd / && HOME="$root/home" XDG_DATA_HOME="$root/data" "$root/launch/bin/corvane-launch")
  [ "$started" = "$root/data/corvane" ] || fail "launcher started the tracker in '$started'"
  [ "$(stat -c %a "$root/data/corvane" 2>/dev/null)" = 700 ] || fail "data folder is not the user's alone"
  started=$(cd / && env -u XDG_DATA_HOME HOME="$root/home" "$root/launch/bin/corvane-launch")
  [ "$started" = "$root/home/.local/share/corvane" ] || fail "without XDG_DATA_HOME the launcher used '$started'"
fi

if [ "$failures" -ne 0 ]; then
  echo "Package check failed ($failures problems)" >&2
  exit 1
fi
echo "Package check passed"
