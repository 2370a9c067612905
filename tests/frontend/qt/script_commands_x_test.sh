#!/usr/bin/env bash
# The command line for scripts, through the real program on X: with no copy running,
# --status and --history answer from the stored settings and the journal (exit 0) and the
# other commands end with 1; with a copy running (over the session bus, and again over the
# local socket where no bus runs), --turn-on, --status, --run-now, --history, --stop do what
# the buttons do and answer; a wrong command line ends with 2.
# Usage: script_commands_x_test.sh path/to/tidewell   (on a display, with a session bus)
set -uo pipefail
exe=$1
root=$(cd "$(dirname "$0")/../../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=../../support/tidewell-window.sh
. "$root/tests/support/tidewell-window.sh"
use_fresh_settings script
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
out="$work/out" err="$work/err"

cmd() { # runs a command; sets rc
  timeout 30 "$exe" "$@" > "$out" 2> "$err"; rc=$?
}
value() { sed -n "s/^$1: //p" "$out"; }

marker="$work/ran"
printf '#!/bin/sh\necho ran >> "%s"\n' "$marker" > "$work/touch-marker"
chmod +x "$work/touch-marker"
journal="$XDG_STATE_HOME/tidewell/history.log"
mkdir -p "$(dirname "$journal")"
printf '2026-01-0%dT09:00:00+00:00\t1/%d/2026 9:00:00 AM\tRow %d\n' 1 1 1 2 2 2 3 3 3 > "$journal"
cat > "$ini" <<INI
[Tidewell]
Option1=2
Weekly%20Time=07:30:00
ListView1=$work/touch-marker||||||||---|||
INI

# No copy runs: the questions are answered from the files, the rest cannot be done.
cmd --status
[ $rc -eq 0 ] || fail "--status with no copy ended with $rc: $(cat "$err")"
[ "$(value monitoring)" = off ] && [ "$(value schedule)" = "daily 07:30:00" ] &&
  [ "$(value next)" = none ] || fail "--status with no copy printed: $(cat "$out")"
cmd --history 2
[ $rc -eq 0 ] && [ "$(cut -f3 "$out" | tr '\n' ,)" = "Row 2,Row 3," ] ||
  fail "--history 2 with no copy ended with $rc, printed: $(cat "$out")"
for c in --run-now --close-now --turn-on --stop; do
  cmd $c
  [ $rc -eq 1 ] && grep -q '^tidewell: no copy of Tidewell runs' "$err" ||
    fail "$c with no copy ended with $rc: $(cat "$err")"
done
[ ! -e "$marker" ] || fail "--run-now ran something with no copy running"

# Wrong command lines.
for wrong in "--status --stop" "--history 0" "--history x" "--turn-on now"; do
  # shellcheck disable=SC2086
  cmd $wrong
  [ $rc -eq 2 ] && grep -q -- '--help' "$err" || fail "'$wrong' ended with $rc: $(cat "$err")"
done

# A running copy, reached over the bus and then over the socket.
drive_running_copy() { # $1: how it is reached
  start_tidewell "$exe" "$work/window.log" || fail "$1: no window"
  if [ "$1" = "local socket" ]; then
    compgen -G "$XDG_RUNTIME_DIR/*.socket" > /dev/null || fail "no socket in $XDG_RUNTIME_DIR"
  fi
  cmd --turn-on
  [ $rc -eq 0 ] || fail "$1: --turn-on ended with $rc: $(cat "$err")"
  cmd --status
  [ $rc -eq 0 ] && [ "$(value monitoring)" = on ] || fail "$1: --status after --turn-on: $(cat "$out")"
  [ "$(value schedule)" = "daily 07:30:00" ] || fail "$1: schedule: $(cat "$out")"
  local next seconds
  next=$(value next) seconds=$(value seconds-to-next)
  [[ $next == *T07:30:00* ]] || fail "$1: next is '$next'"
  [ "$seconds" -ge 0 ] && [ "$seconds" -le 86400 ] || fail "$1: seconds-to-next is '$seconds'"
  [ $(( $(date -d "$next" +%s) - $(date +%s) - seconds )) -le 2 ] ||
    fail "$1: next $next is not $seconds seconds away"
  # The window says so too: the switch reads "Stop".
  cmd --turn-on
  [ $rc -eq 0 ] || fail "$1: a second --turn-on ended with $rc"
  cmd --status
  [ "$(value monitoring)" = on ] || fail "$1: a second --turn-on switched monitoring off"
  rm -f "$marker"
  cmd --run-now
  [ $rc -eq 0 ] || fail "$1: --run-now ended with $rc: $(cat "$err")"
  for _ in $(seq 1 50); do [ -e "$marker" ] && break; sleep 0.1; done
  [ -e "$marker" ] || fail "$1: --run-now ran nothing"
  cmd --history 1
  [ $rc -eq 0 ] && [[ $(cut -f3 "$out") == *touch-marker* ]] ||
    fail "$1: --history 1 after --run-now printed: $(cat "$out")"
  cmd --close-now
  [ $rc -eq 0 ] || fail "$1: --close-now ended with $rc: $(cat "$err")"
  cmd --stop
  cmd --status
  [ $rc -eq 0 ] && [ "$(value monitoring)" = off ] && [ "$(value next)" = none ] ||
    fail "$1: --status after --stop: $(cat "$out")"
  kill "$pid"
  wait_for_exit || true
}
drive_running_copy "session bus"
DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" drive_running_copy "local socket"
echo PASS
