#!/usr/bin/env bash
# The real program as a screen reader and a keyboard-only user meet it (run under
# with-xvfb.sh with openbox and a session bus): see accessibility_walk.py.
# Usage: accessibility_x_test.sh <tidewell>
set -euo pipefail
program=$1

# shellcheck source=../../support/tidewell-window.sh
. "$(dirname "$0")/../../support/tidewell-window.sh"
use_fresh_settings access
# The bus launcher starts a bus and a registry of its own: all of its group goes at the end.
finish() {
  [ -n "${pid:-}" ] && kill -KILL "$pid" 2>/dev/null
  [ -n "${bus:-}" ] && kill -KILL -- "-$bus" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT
sep='||||||||---|||'
printf '[Tidewell]\nListView1=/bin/first%s/bin/second%s\nListView2=xclock%s\n' \
  "$sep" "$sep" "$sep" > "$ini"

setsid /usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_tidewell "$program" "$work/out.log" || { cat "$work/out.log" >&2; echo "FAIL: no window" >&2; exit 1; }
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
/usr/bin/python3 "$(dirname "$0")/accessibility_walk.py" "$win"
kill -0 "$pid" || { echo "FAIL: the program ended" >&2; exit 1; }
