#!/usr/bin/env bash
# The real program on a real X server with a window manager: it starts, shows its window at
# the designed size with its title, "Execute Run Now (Test)" clicked with the mouse starts a
# real script, and closing the window through the window manager (or a SIGTERM) leaves both
# lists in Quillmark.ini. Usage: window_x_test.sh <tidewell> [screenshot.png]
set -euo pipefail
program=$1
screenshot=${2:-}

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-window.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
ini="$XDG_CONFIG_HOME/Quillmark.ini"
mkdir -p "$XDG_CONFIG_HOME"
marker="$work/ran"
script="$work/touch marker.sh"
printf '#!/bin/sh\ntouch "%s"\n' "$marker" > "$script"
chmod +x "$script"
sep='||||||||---|||'

fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=../support/tidewell-window.sh
. "$(dirname "$0")/../support/tidewell-window.sh"

start() {
  start_tidewell "$program" "$work/out.log" || { cat "$work/out.log" >&2; fail "no window titled Tidewell"; }
}

wait_exit() {
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "program still running after close"; }
  wait "$pid" || fail "program exited with status $?"
}

# First run: the run list holds the script; the close list one entry.
cat > "$ini" <<INI
[Tidewell]
ListView1=${script}${sep}
ListView2=xclock${sep}
INI
start
[ "$(xdotool getwindowname "$win")" = "Tidewell" ] || fail "title"
size=$(xwininfo -id "$win" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')
[ "$size" = "1064x598" ] || fail "client area is $size, not 1064x598"

click_run_now
for _ in $(seq 1 50); do
  [ -e "$marker" ] && break
  sleep 0.1
done
[ -e "$marker" ] || fail "the script of the run list did not run"

[ -n "$screenshot" ] && import -window root "$screenshot"

# The lists must be written by the close itself: take the file away first.
rm -f "$ini"
wmctrl -c Tidewell || xdotool key --window "$win" alt+F4
wait_exit
grep -qxF "ListView1=${script}${sep}" "$ini" || { cat "$ini" >&2; fail "run list not stored at close"; }
grep -qxF "ListView2=xclock${sep}" "$ini" || { cat "$ini" >&2; fail "close list not stored at close"; }

# Second run: a SIGTERM ends the program the same orderly way.
start
rm -f "$ini"
kill -TERM "$pid"
wait_exit
grep -qxF "ListView1=${script}${sep}" "$ini" || fail "run list not stored on SIGTERM"
echo "PASS"
