#!/usr/bin/env bash
# The real tidewell.exe at 150 % (LogPixels 144) on a 1366 x 768 screen, in a Wine prefix and
# on an X server of its own: the whole window lies on the screen, and the controls of its
# right column and bottom edge take the mouse: the Seconds box stores what is typed into it,
# "Delete Selected Item" and "Clear History Log" answer with their boxes, and "Load this
# software on Windows startup" is stored.
# Usage: small_screen_wine_test.sh <tidewell.exe> [screenshot.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
if [ -z "${TIDEWELL_WINE_INNER:-}" ]; then
  TIDEWELL_WINE_INNER=1 TIDEWELL_XVFB_SCREEN=1366x768x24 \
    exec "$root/tests/support/with-xvfb.sh" "openbox" -- "$0" "$@"
fi
exe=$(realpath "$1")
screenshot=${2:+$(realpath -m "$2")}
runner=$root/cmake/toolchain/wine-run.sh
# A 32-bit program where no 32-bit Wine runs: skipped (77), as the other Wine tests are.
"$runner" --can-run "$exe" || exit

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-small-wine.XXXXXX")
cleanup() {
  kill -KILL "${pid:-0}" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -n "$screenshot" ] && import -window root "$screenshot"; exit 1; }

export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=d"
export WINEPREFIX="$work/prefix"
wine() { "$runner" "$@"; }
env -u DISPLAY "$runner" wineboot -i > /dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f > /dev/null
wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
  /v LogPixels /t REG_DWORD /d 144 /f > /dev/null
wineserver -w

key='HKCU\Software\VB and VBA Program Settings\Quillmark\Tidewell'
wine reg add "$key" /v ListView1 /t REG_SZ /d 'C:\windows\notepad.exe||||||||---|||' /f > /dev/null
# Whether the value named before "=" holds the text after it.
stored() {
  wine reg query "$key" /v "${1%%=*}" 2>/dev/null | tr -d '\r' | grep -qE "REG_SZ +${1#*=}\$"
}

printf '#!/bin/sh\nexec "%s" "%s"\n' "$runner" "$exe" > "$work/tidewell"
chmod +x "$work/tidewell"
# shellcheck source=../../support/tidewell-window.sh
. "$root/tests/support/tidewell-window.sh"
# shellcheck source=../../support/small-screen.sh
. "$root/tests/support/small-screen.sh"
start_tidewell "$work/tidewell" "$work/out.log" || { cat "$work/out.log" >&2; fail "no window titled Tidewell"; }
check_window_on_screen

click_right_column stored "Text3=7" "Windows Startup=On"
[ -n "$screenshot" ] && import -window root "$screenshot"
echo "PASS"
