#!/usr/bin/env bash
# The real program on a real X server, started and closed over a Quillmark.ini whose text a
# write would change: a file name whose bytes are not UTF-8, a NUL byte in a value, a key
# present twice. Each start shows one warning before its window; the copy it names holds the
# file byte for byte as it was; a second start over the rewritten file warns no more.
# Usage: ini_bytes_x_test.sh <tidewell> [screenshot.png]
set -euo pipefail
program=$1
screenshot=${2:-}

fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=../../support/tidewell-window.sh
. "$(dirname "$0")/../../support/tidewell-window.sh"
use_fresh_settings bytes
sep='||||||||---|||'

size_of() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }

# Starts the program; with "warned", the first window must be a box that is not the main
# window, which Return dismisses. Leaves win at the main window.
start() {
  start_tidewell "$program" "$work/out.log" || { cat "$work/out.log" >&2; fail "no window titled Tidewell"; }
  if [ "$1" = warned ]; then
    [ "$(size_of "$win")" != 1064x598 ] || fail "no warning before the window ($2)"
    [ -n "$screenshot" ] && import -window root "$screenshot" && screenshot=""
    xdotool windowactivate --sync "$win" key Return || xdotool key Return
    for _ in $(seq 1 100); do
      sleep 0.1
      wait_for_window && [ "$(size_of "$win")" = 1064x598 ] && return 0
    done
    fail "the window did not show after the warning ($2)"
  fi
  [ "$(size_of "$win")" = 1064x598 ] || fail "a box before the window on a start over a whole file ($2)"
}

quit() {
  wmctrl -c Tidewell || xdotool key --window "$win" alt+F4
  wait_for_exit || fail "program still running after close, or failed (status $?)"
}

check() {
  local name=$1
  rm -f "$XDG_CONFIG_HOME"/Quillmark.ini.*
  cp "$work/original" "$ini"
  start warned "$name"
  quit
  local copies=("$XDG_CONFIG_HOME"/Quillmark.ini.unreadable-*)
  [ "${#copies[@]}" = 1 ] && [ -f "${copies[0]}" ] || fail "no copy kept ($name)"
  cmp "$work/original" "${copies[0]}" || fail "the copy differs from the file as it was ($name)"
  grep -q "^ListView1=/bin/true${sep}" "$ini" || { cat -v "$ini" >&2; fail "run list lost ($name)"; }
  start whole "$name"
  quit
  cmp "$work/original" "${copies[0]}" || fail "the copy changed at the second start ($name)"
}

printf '[Tidewell]\nListView1=/bin/true%s/tmp/caf\xe9%s\nListView2=xclock%s\n' \
  "$sep" "$sep" "$sep" > "$work/original"
check "bytes that are not UTF-8"
printf '[Tidewell]\nListView1=/bin/true%s/tmp/a\0b%s\n' "$sep" "$sep" > "$work/original"
check "a NUL byte"
printf '[Tidewell]\nListView1=/bin/true%s\nText2=45\n[Inkwell]\nZoom=2\n[Tidewell]\nText2=10\n' \
  "$sep" > "$work/original"
check "a key present twice"
echo "PASS"
