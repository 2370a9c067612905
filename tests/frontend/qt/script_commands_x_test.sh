#!/usr/bin/env bash
# The command line for scripts, through the real program on X: with no copy running,
# --status and --history answer from the stored settings and the journal (exit 0) and the
# other commands end with 1; with a copy running (over the session bus, and again over the
# local socket where no bus runs), --turn-on, --status, --run-now, --history, --close-now and
# --stop do what the buttons and the switch do, and answer.
# Usage: script_commands_x_test.sh path/to/tidewell   (on a display, with a session bus)
set -uo pipefail
exe=$1
root=$(cd "$(dirname "$0")/../../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=../../support/tidewell-window.sh
. "$root/tests/support/tidewell-window.sh"
# shellcheck source=../../support/script-commands.sh
. "$root/tests/support/script-commands.sh"
use_fresh_settings script
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
out="$work/out" err="$work/err"

cmd() { # runs a command; sets rc
  timeout 30 "$exe" "$@" > "$out" 2> "$err"; rc=$?
}

marker="$work/ran"
printf '#!/bin/sh\necho ran >> "%s"\n' "$marker" > "$work/touch-marker"
chmod +x "$work/touch-marker"
journal="$XDG_STATE_HOME/tidewell/history.log"
write_journal "$journal"
cat > "$ini" <<INI
[Tidewell]
Option1=2
Weekly%20Time=07:30:00
ListView1=$work/touch-marker||||||||---|||
ListView2=$work/close-me||||||||---|||
Option6=1
Option7=0
INI
cp "$(command -v sleep)" "$work/close-me"

# No copy runs: the questions are answered from the files, the rest cannot be done.
check_questions_without_copy
for c in --run-now --close-now --turn-on --stop; do
  cmd $c
  [ $rc -eq 1 ] && grep -q '^tidewell: no copy of Tidewell runs' "$err" ||
    fail "$c with no copy ended with $rc: $(cat "$err")"
done
[ ! -e "$marker" ] || fail "--run-now ran something with no copy running"

# A running copy, reached over the bus and then over the socket.
drive_running_copy() { # $1: how it is reached
  start_tidewell "$exe" "$work/window.log" || fail "$1: no window"
  if [ "$1" = "local socket" ]; then
    compgen -G "$XDG_RUNTIME_DIR/*.socket" > /dev/null || fail "no socket in $XDG_RUNTIME_DIR"
  fi
  check_turn_on "$1"
  # Turning on what is on leaves it on.
  cmd --turn-on
  [ $rc -eq 0 ] || fail "$1: a second --turn-on ended with $rc"
  cmd --status
  [ "$(value monitoring)" = on ] || fail "$1: a second --turn-on switched monitoring off"
  check_run_now "$1" "$marker" touch-marker
  "$work/close-me" 300 &
  local victim=$!
  disown $victim # its end by the hard close is the point, not news
  cmd --close-now
  [ $rc -eq 0 ] || fail "$1: --close-now ended with $rc: $(cat "$err")"
  for _ in $(seq 1 50); do kill -0 $victim 2>/dev/null || break; sleep 0.1; done
  kill -0 $victim 2>/dev/null && { kill $victim; fail "$1: --close-now left the close list's program running"; }
  check_stop "$1"
  kill "$pid"
  wait_for_exit || true
}
drive_running_copy "session bus"
DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" drive_running_copy "local socket"
echo PASS
