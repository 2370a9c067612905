#!/usr/bin/env bash
# The real program at 150 % on a 1366 x 768 screen (run under with-xvfb.sh with
# TIDEWELL_XVFB_SCREEN=1366x768x24): the whole window lies on the screen, and the controls
# of its right column and bottom edge take the mouse: the Seconds box stores what is typed
# into it, "Delete Selected Item" and "Clear History Log" answer with their boxes, and
# "Load this software on Windows startup" is stored.
# Usage: small_screen_x_test.sh <tidewell> [screenshot.png]
set -euo pipefail
program=$1
screenshot=${2:-}

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-small.XXXXXX")
trap 'kill -KILL "${pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" QT_SCALE_FACTOR=1.5
ini="$XDG_CONFIG_HOME/Quillmark.ini"
mkdir -p "$XDG_CONFIG_HOME"
printf '[Tidewell]\nListView1=/bin/true||||||||---|||\n' > "$ini"

fail() { echo "FAIL: $*" >&2; [ -n "$screenshot" ] && import -window root "$screenshot"; cat "$ini" >&2; exit 1; }
# shellcheck source=../../support/tidewell-window.sh
. "$(dirname "$0")/../../support/tidewell-window.sh"
# shellcheck source=../../support/small-screen.sh
. "$(dirname "$0")/../../support/small-screen.sh"

start_tidewell "$program" "$work/out.log" || { cat "$work/out.log" >&2; fail "no window titled Tidewell"; }
check_window_on_screen

stored() { grep -qxF "$1" "$ini" 2>/dev/null; }
click_right_column stored "Text3=7" "Windows%20Startup=On"
[ -n "$screenshot" ] && import -window root "$screenshot"
echo "PASS"
