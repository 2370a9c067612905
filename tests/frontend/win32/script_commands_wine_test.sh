#!/usr/bin/env bash
# The command line for scripts through the real tidewell.exe under Wine, in a prefix and on an
# X server of its own: with no copy running, --status and --history answer from the registry
# and the journal and the other commands end with 1; with the window running, --turn-on,
# --status, --run-now, --history and --stop reach it by WM_COPYDATA and answer; a wrong
# command line ends with 2. The answers are read from the program's standard output.
# Usage: script_commands_wine_test.sh <tidewell.exe>
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
if [ -z "${TIDEWELL_WINE_INNER:-}" ]; then
  TIDEWELL_WINE_INNER=1 exec "$root/tests/support/with-xvfb.sh" "openbox" -- "$0" "$@"
fi
exe=$(realpath "$1")
runner=$root/cmake/toolchain/wine-run.sh
# A 32-bit program where no 32-bit Wine runs: skipped (77), as the other Wine tests are.
"$runner" --can-run "$exe" || exit

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-script-wine.XXXXXX")
cleanup() {
  kill -KILL "${pid:-0}" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=../../support/script-commands.sh
. "$root/tests/support/script-commands.sh"

export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=d"
export WINEPREFIX="$work/prefix"
wine() { "$runner" "$@"; }
env -u DISPLAY "$runner" wineboot -i > /dev/null 2>&1
wineserver -w

out="$work/out" err="$work/err"
cmd() { # runs a command of tidewell.exe; sets rc
  rc=0
  timeout 90 "$runner" "$exe" "$@" > "$out" 2> "$err" || rc=$?
  tr -d '\r' < "$out" > "$out.unix" && mv "$out.unix" "$out"
}

key='HKCU\Software\VB and VBA Program Settings\Quillmark\Tidewell'
marker="$work/ran.txt"
batch="$work/touch marker.bat"
printf '@echo off\r\necho ran> "%s"\r\n' "$(wine winepath -w "$marker" 2>/dev/null)" > "$batch"
batch_win=$(wine winepath -w "$batch" 2>/dev/null)
wine reg add "$key" /v Option1 /t REG_SZ /d 2 /f > /dev/null
wine reg add "$key" /v "Weekly Time" /t REG_SZ /d '07:30:00' /f > /dev/null
wine reg add "$key" /v ListView1 /t REG_SZ /d "${batch_win}||||||||---|||" /f > /dev/null
local_app_data=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
journal="$(wine winepath -u "$local_app_data" 2>/dev/null)/Tidewell/history.log"
write_journal "$journal"

cmd --help
[ $rc -eq 0 ] && grep -q -- '--history \[N\]' "$out" && grep -q 'LOCALAPPDATA' "$out" ||
  fail "--help ended with $rc, printed: $(cat "$out")"

# No copy runs.
check_questions_without_copy
cmd --run-now
[ $rc -eq 1 ] && grep -q 'no copy of Tidewell runs' "$err" ||
  fail "--run-now with no copy ended with $rc: $(cat "$err")"
cmd --history 0
[ $rc -eq 2 ] && grep -q -- '--help' "$err" || fail "--history 0 ended with $rc: $(cat "$err")"

# The window runs.
"$runner" "$exe" > "$work/window.log" 2>&1 &
pid=$!
disown "$pid"
for _ in $(seq 1 200); do
  xdotool search --onlyvisible --name '^Tidewell$' > /dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Tidewell$' > /dev/null 2>&1 || fail "no window"
check_turn_on "WM_COPYDATA"
check_run_now "WM_COPYDATA" "$marker" "touch marker.bat"
check_stop "WM_COPYDATA"
echo PASS
