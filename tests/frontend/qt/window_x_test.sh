#!/usr/bin/env bash
# The real program on a real X server with a window manager: it starts, shows its window at
# the designed size with its title, "Execute Run Now (Test)" clicked with the mouse starts a
# real script, its checked history row reaches the clipboard, and closing the window through
# the window manager (or a SIGTERM) leaves both lists in Quillmark.ini. The history row is
# kept in the journal, shown again at the next start, and survives a kill -9.
# Usage: window_x_test.sh <tidewell> [screenshot.png]
set -euo pipefail
program=$1
screenshot=${2:-}

# shellcheck source=../../support/tidewell-window.sh
. "$(dirname "$0")/../../support/tidewell-window.sh"
use_fresh_settings window
journal="$XDG_STATE_HOME/tidewell/history.log"
marker="$work/ran"
script="$work/touch marker.sh"
printf '#!/bin/sh\ntouch "%s"\n' "$marker" > "$script"
chmod +x "$script"
sep='||||||||---|||'

fail() { echo "FAIL: $*" >&2; exit 1; }

start() {
  start_tidewell "$program" "$work/out.log" || { cat "$work/out.log" >&2; fail "no window titled Tidewell"; }
}

wait_exit() {
  wait_for_exit || fail "program still running after close, or failed (status $?)"
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

# Checks the first history row (its box at (562, 449)) and copies it: the real clipboard holds
# the time, a tab, the action and CR LF.
copy_first_row() {
  printf '' | xclip -selection clipboard
  xdotool mousemove --window "$win" 562 449 click 1
  sleep 0.3
  xdotool mousemove --window "$win" $((536 + 16 + 120)) $((406 + 147 + 13)) click 1
  clip=""
  for _ in $(seq 1 30); do
    clip=$(xclip -o -selection clipboard 2>/dev/null; echo x)
    clip=${clip%x}
    [ -n "$clip" ] && break
    sleep 0.1
  done
  [[ "$clip" == *$'\t'"Run file ${script}"$'\r\n' ]] || { printf '%q\n' "$clip" >&2; fail "clipboard"; }
  [ "$(printf '%s' "$clip" | wc -l)" = 1 ] || fail "clipboard holds more than the checked row"
  [[ "${clip%%$'\t'*}" =~ ^[^\ ].*[0-9]$ ]] || fail "time text"
}
copy_first_row
# The journal's line: ISO time with offset, the shown time, the action.
grep -qE "^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9:]{8}[+-][0-9]{2}:[0-9]{2}"$'\t'"${clip%%$'\t'*}"$'\t'"Run file ${script}\$" \
  "$journal" || { cat "$journal" >&2; fail "history row not in the journal"; }

[ -n "$screenshot" ] && import -window root "$screenshot"

# The lists must be written by the close itself: take the file away first.
rm -f "$ini"
wmctrl -c Tidewell || xdotool key --window "$win" alt+F4
wait_exit
grep -qxF "ListView1=${script}${sep}" "$ini" || { cat "$ini" >&2; fail "run list not stored at close"; }
grep -qxF "ListView2=xclock${sep}" "$ini" || { cat "$ini" >&2; fail "close list not stored at close"; }

# Second run: the journal's row is shown again; a new row survives a kill -9.
start
copy_first_row
rm -f "$marker"
click_run_now
for _ in $(seq 1 50); do
  [ "$(grep -c "Run file" "$journal")" = 2 ] && break
  sleep 0.1
done
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
[ "$(grep -c "Run file ${script}\$" "$journal")" = 2 ] || { cat "$journal" >&2; fail "journal after kill -9"; }

# Third run: a SIGTERM ends the program the same orderly way.
start
rm -f "$ini"
kill -TERM "$pid"
wait_exit
grep -qxF "ListView1=${script}${sep}" "$ini" || fail "run list not stored on SIGTERM"
echo "PASS"
