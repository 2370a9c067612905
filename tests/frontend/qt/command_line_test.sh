#!/usr/bin/env bash
# The real program's command line: --help and --version print and end with 0 even with no
# display; an unknown option or an argument ends with 2 and a clear error, and never starts
# the window (offscreen, a started window would keep running until the time-out).
# Usage: command_line_test.sh path/to/tidewell version
set -uo pipefail
exe=$1 version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

run() { # runs the program with the given arguments; sets rc
  timeout 20 "$@" > "$out" 2> "$err"; rc=$?
}

run env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" --help
[ $rc -eq 0 ] || fail "--help ended with $rc"
grep -q '^Usage: tidewell' "$out" || fail "--help printed no usage: $(cat "$out")"
grep -q 'Quillmark.ini' "$out" || fail "--help does not say where the settings are"
[ ! -s "$err" ] || fail "--help wrote errors: $(cat "$err")"
for command in --run-now --close-now --turn-on --stop --status "--history \[N\]"; do
  grep -q -- "^ *$command  " "$out" || fail "--help does not explain $command"
done

run env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" -h
[ $rc -eq 0 ] && grep -q '^Usage: tidewell' "$out" || fail "-h did not print the help"

run env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" --version
[ $rc -eq 0 ] || fail "--version ended with $rc"
[ "$(cat "$out")" = "Tidewell $version" ] || fail "--version printed: $(cat "$out")"

for wrong in --bogus -x file.txt; do
  run env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=/nonexistent "$exe" "$wrong"
  [ $rc -eq 2 ] || fail "'$wrong' ended with $rc (124: the window started)"
  grep -q "^tidewell: .*'$wrong'" "$err" || fail "no clear error for '$wrong': $(cat "$err")"
  grep -q -- "--help" "$err" || fail "the error for '$wrong' does not point to --help"
  [ ! -s "$out" ] || fail "'$wrong' printed to stdout: $(cat "$out")"
done

# A script's command line that is wrong ends with 2 and asks no copy, with no display.
for wrong in "--status --stop" "--history 0" "--history 12x" "--run-now file.txt"; do
  # shellcheck disable=SC2086
  run env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME=/nonexistent "$exe" $wrong
  [ $rc -eq 2 ] && grep -q "^tidewell: " "$err" && grep -q -- "--help" "$err" ||
    fail "'$wrong' ended with $rc: $(cat "$err")"
done

# Qt's own options stay Qt's, -platform even with no display around.
run env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME=/nonexistent \
  "$exe" -platform offscreen -reverse --bogus
[ $rc -eq 2 ] && grep -q "'--bogus'" "$err" || fail "Qt's options were not left to Qt: $rc $(cat "$err")"
echo PASS
