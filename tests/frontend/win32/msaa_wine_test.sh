#!/usr/bin/env bash
# What a screen reader gets from the real tidewell.exe under Wine through MSAA, asked from
# another process (AccessibleObjectFromWindow on each control): every control has a role other
# than Wine's bare "client" and a name without an access-key mark; the interval boxes, the
# time picker, the day list and the three lists are named as spoken; the day list and the time
# picker give their value; the captions that appear twice are told apart by their
# descriptions. In a Wine prefix and on an X server of its own, as one copy runs per session.
# Usage: msaa_wine_test.sh <tidewell.exe> <msaa_names.exe>
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
if [ -z "${TIDEWELL_WINE_INNER:-}" ]; then
  TIDEWELL_WINE_INNER=1 exec "$root/tests/support/with-xvfb.sh" "openbox" -- "$0" "$@"
fi
exe=$(realpath "$1")
client=$(realpath "$2")
runner=$root/cmake/toolchain/wine-run.sh
# A 32-bit program where no 32-bit Wine runs: skipped (77), as the other Wine tests are.
"$runner" --can-run "$exe" || exit

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-msaa.XXXXXX")
cleanup() {
  kill -KILL "${pid:-0}" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; cat "$work/msaa.txt" >&2 2>/dev/null || true; exit 1; }

export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=d"
export WINEPREFIX="$work/prefix"
env -u DISPLAY "$runner" wineboot -i > /dev/null 2>&1
wineserver -w

printf '#!/bin/sh\nexec "%s" "%s"\n' "$runner" "$exe" > "$work/tidewell"
chmod +x "$work/tidewell"
# shellcheck source=../../support/tidewell-window.sh
. "$root/tests/support/tidewell-window.sh"
start_tidewell "$work/tidewell" "$work/out.log" || { cat "$work/out.log" >&2; fail "no window titled Tidewell"; }
# Bounded: a control that never answers fails here, with the controls read so far, not at the
# suite's time limit with nothing said.
status=0
timeout 90 "$runner" "$client" > "$work/msaa.txt" || status=$?
[ "$status" != 124 ] || fail "the MSAA client had no answer within 90 s; what it read so far:"
[ "$status" = 0 ] || fail "the MSAA client found no Tidewell window"

# Our controls only (ids from 100): not the header of a list or the arrows of the time picker.
# Fields: id, window class, role, name, description, value.
ours() { awk -F'\t' '$1 >= 100' "$work/msaa.txt"; }
[ "$(ours | wc -l)" -ge 40 ] || fail "too few controls answered"
bad=$(ours | awk -F'\t' '$3 == "" || $3 == "client" || $3 ~ /^(error|\?)/ || $4 == "" || $4 ~ /&/')
[ -z "$bad" ] || fail "controls without a role or a spoken name:
$bad"

# The names of the controls of one window class, in the window's order, joined by "|".
names_of() { ours | awk -F'\t' -v c="$1" '$2 == c {printf "%s%s", n++ ? "|" : "", $4}'; }
[ "$(names_of Edit)" = "Hours|Minutes|Seconds" ] || fail "interval boxes named $(names_of Edit)"
[ "$(names_of SysDateTimePick32)" = "Time of day" ] || fail "time picker named $(names_of SysDateTimePick32)"
[ "$(names_of ComboBox)" = "Day of the week" ] || fail "day list named $(names_of ComboBox)"
[ "$(names_of SysListView32)" = "Programs to close|Programs to run|History" ] ||
  fail "lists named $(names_of SysListView32)"
ours | awk -F'\t' '$2 == "SysListView32" && $3 != "list" {exit 1}' || fail "a list without the list role"
ours | awk -F'\t' '$2 == "ComboBox" && $3 == "combo box" && $6 == "Monday" {f = 1} END {exit !f}' ||
  fail "the day list does not say it is a combo box holding Monday"
ours | awk -F'\t' '$2 == "SysDateTimePick32" && $6 ~ /[0-9]+:[0-9][0-9]/ {f = 1} END {exit !f}' ||
  fail "the time picker gives no time as its value"

# Each caption that appears twice: once for the close list, once for the run list.
for caption in "Browse To Exe" "Delete Selected Item" "Clear List" "Load Sample/Example Items"; do
  said=$(ours | awk -F'\t' -v c="$caption" '$4 == c && $3 == "push button" {print $5}')
  [ "$(grep -c 'Programs to close' <<< "$said")" = 1 ] && [ "$(grep -c 'Programs to run' <<< "$said")" = 1 ] ||
    fail "\"$caption\" is not told apart by its descriptions: $said"
done
echo "$(ours | wc -l) controls named and given roles through MSAA"
