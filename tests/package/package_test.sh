#!/usr/bin/env bash
# Builds the Debian package, checks it as a distribution would (desktop-file-validate,
# appstreamcli, lintian without errors), installs it with dpkg, drives the installed
# program under Xvfb, removes it and checks that nothing of it is left in /usr.
# Needs root for dpkg; ends with 77 (skipped) otherwise.
# Usage: package_test.sh build-folder version app-id
set -euo pipefail
build=$1 version=$2 app_id=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: installing the package needs root"
  exit 77
fi

echo "-- build the package"
cmake --build "$build" --target package > "$build/package.log" 2>&1 \
  || { cat "$build/package.log"; fail "make package failed"; }
deb="$build/tidewell_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb"
echo "   $(basename "$deb"): $(stat -c %s "$deb") bytes"
echo "   Depends: $(dpkg-deb -f "$deb" Depends)"
# Qt loads its Wayland plugin by name, so no library lookup finds that need.
dpkg-deb -f "$deb" Depends | grep -qw qt6-wayland || fail "Depends lacks qt6-wayland"
echo "   Recommends: $(dpkg-deb -f "$deb" Recommends)"

echo "-- check it"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
desktop-file-validate "$tree/usr/share/applications/$app_id.desktop" \
  || fail "desktop-file-validate"
appstreamcli validate --no-net "$tree/usr/share/metainfo/$app_id.metainfo.xml" \
  || fail "appstreamcli validate"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

# Other checkouts may run this test at the same time: one installs at a time.
exec 9> /tmp/tidewell-package-test.lock
flock 9
leftovers() { find /usr \( -iname '*tidewell*' -o -iname '*quillmark*' \) | sort; }
before=$(leftovers)
dpkg_retrying() { # dpkg refuses at once while apt or another dpkg runs
  for _ in $(seq 1 120); do
    dpkg "$@" > "$tree.dpkg.log" 2>&1 && return 0
    grep -q 'lock' "$tree.dpkg.log" || { cat "$tree.dpkg.log"; return 1; }
    sleep 5
  done
  cat "$tree.dpkg.log"; return 1
}

echo "-- install it with dpkg"
dpkg_retrying -i "$deb" || fail "dpkg -i"
rc=0
"$here/../support/with-xvfb.sh" openbox trayer -- \
  "$here/installed_xtest.sh" /usr/bin/tidewell || rc=$?
man -w tidewell > /dev/null || { echo "FAIL: man tidewell finds no page"; rc=1; }

echo "-- remove it"
dpkg_retrying -r tidewell || fail "dpkg -r"
rm -f "$tree.dpkg.log"
after=$(leftovers)
[ "$before" = "$after" ] || fail "left in /usr: $(comm -13 <(echo "$before") <(echo "$after"))"
[ $rc -eq 0 ] || fail "the installed program failed its test"
echo PASS
