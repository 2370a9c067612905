#!/usr/bin/env bash
# The real program on X whose clock jumps eight hours past its Daily target, as when a laptop
# sleeps through it: nothing of the run list runs on waking, and the history holds one row
# saying that the occurrence was missed and why. The clock is moved with libfaketime.
# Usage: missed_occurrence_x_test.sh <tidewell> [screenshot.png]
set -euo pipefail
program=$1
faketime=$(find /usr/lib -name libfaketime.so.1 -print -quit 2> /dev/null || true)

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-missed.XXXXXX")
cleanup() {
  if [ -n "${pid:-}" ]; then
    kill "$pid" 2> /dev/null || true
    wait "$pid" 2> /dev/null || true # it saves its lists into $work on the way out
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "$faketime" ] || fail "libfaketime is not installed (scripts/install-deps.sh installs it)"
# A sanitizer build's runtime must come first of all preloaded libraries.
preload=$faketime
asan=$(ldd "$program" 2> /dev/null | awk '/libasan\.so/{print $3; exit}')
[ -n "$asan" ] && preload="$asan:$faketime"

export XDG_CONFIG_HOME="$work/config" LC_ALL=C.UTF-8
mkdir -p "$XDG_CONFIG_HOME"
marker="$work/ran"
printf '#!/bin/sh\ntouch "%s"\n' "$marker" > "$work/run.sh"
chmod +x "$work/run.sh"
# Only the program gets the moved clock, never the tools that drive it.
echo +0 > "$work/offset"
cat > "$work/tidewell" <<WRAP
#!/bin/sh
LD_PRELOAD="$preload" FAKETIME_TIMESTAMP_FILE="$work/offset" FAKETIME_NO_CACHE=1 \
FAKETIME_DONT_FAKE_MONOTONIC=1 exec "$program"
WRAP
chmod +x "$work/tidewell"

# Daily, a minute from now, with the script in the run list.
target=$(date -d '+60 seconds' +%H:%M:%S)
cat > "$XDG_CONFIG_HOME/Quillmark.ini" <<INI
[Tidewell]
Option1=2
Weekly Time=$target
Check1=1
ListView1=$work/run.sh||||||||---|||
INI

# shellcheck source=../support/tidewell-window.sh
. "$(dirname "$0")/../support/tidewell-window.sh"
start_tidewell "$work/tidewell" "$work/out.log" || { cat "$work/out.log" >&2; fail "no window"; }
xdotool mousemove --window "$win" 268 21 click 1 # "Turn On"
sleep 1.5
echo +28800 > "$work/offset" # asleep from a minute before the target until eight hours later

# The history row, checked (its box at (562, 449)) and copied with "Copy History To Clipboard".
clip=""
for _ in $(seq 1 40); do
  sleep 0.25
  xdotool mousemove --window "$win" 562 449 click 1
  sleep 0.1
  xdotool mousemove --window "$win" $((536 + 16 + 120)) $((406 + 147 + 13)) click 1
  clip=$(xclip -o -selection clipboard 2> /dev/null || true)
  [ -n "$clip" ] && break
done
expected="Missed Daily $target — the computer was asleep or the clock moved"
[[ "$clip" == *$'\t'"$expected"* ]] || { printf '%q\n' "$clip" >&2; fail "no missed row"; }
[ "$(printf '%s\n' "$clip" | grep -c .)" = 1 ] || { printf '%q\n' "$clip" >&2; fail "more rows"; }
sleep 1
[ ! -e "$marker" ] || fail "the run list ran eight hours late"
echo "missed row: ${clip%%$'\r'*}"
[ -n "${2:-}" ] && import -window root "$2"
exit 0
