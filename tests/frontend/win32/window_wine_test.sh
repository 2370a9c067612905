#!/usr/bin/env bash
# The real tidewell.exe under Wine, on a private X server with a window manager and a tray:
# its window comes at the designed size with its title and tray icon, "Execute Run Now
# (Test)" clicked with the mouse runs a batch file, "Execute Close Now (Test)" closes a Wine
# program through its window, a choice clicked lands in the registry at once, and closing the
# window leaves both lists there. Alt and a caption's underlined letter do what a click does,
# a label's take the focus to its box, the key the two "Browse To Exe" buttons share
# opens nothing, and the button itself opens the file dialog. Prints how long the window took to show and the private
# memory the process reports.
# Usage: window_wine_test.sh <tidewell.exe> <private_memory.exe> [screenshot.png]
# Inside a test run's Wine session (WINE_RUN, WINEPREFIX and DISPLAY given) it uses that
# session; alone it makes a private X server and Wine prefix of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
if [ -z "${WINE_RUN:-}" ] && [ -z "${TIDEWELL_WINE_INNER:-}" ]; then
  TIDEWELL_WINE_INNER=1 exec "$root/tests/support/with-xvfb.sh" "openbox tint2" -- "$0" "$@"
fi
exe=$(realpath "$1")
memory=$(realpath "$2")
screenshot=${3:+$(realpath -m "$3")}
runner=${WINE_RUN:-$root/cmake/toolchain/wine-run.sh}
# A 32-bit program where no 32-bit Wine runs: skipped (77), as the other Wine tests are.
"$runner" --can-run "$exe" || exit

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-wine.XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=d"
wine() { "$runner" "$@"; }
if [ -z "${WINE_RUN:-}" ]; then
  export WINEPREFIX="$work/prefix"
  env -u DISPLAY "$runner" wineboot -i > /dev/null 2>&1
  wineserver -w
fi

key='HKCU\Software\VB and VBA Program Settings\Quillmark\Tidewell'
sep='||||||||---|||'
marker="$work/ran.txt"
batch="$work/touch marker.bat"
printf '@echo off\r\necho ran> "%s"\r\n' "$(wine winepath -w "$marker" 2>/dev/null)" > "$batch"
batch_win=$(wine winepath -w "$batch" 2>/dev/null)
wine reg delete "$key" /f > /dev/null 2>&1 || true
wine reg add "$key" /v ListView1 /t REG_SZ /d "${batch_win}${sep}" /f > /dev/null
wine reg add "$key" /v ListView2 /t REG_SZ /d "notepad.exe${sep}" /f > /dev/null

# The registry as text: reg export writes UTF-16.
stored() {
  rm -f "$work/out.reg"
  wine reg export "$key" "$(wine winepath -w "$work/out.reg" 2>/dev/null)" > /dev/null 2>&1
  iconv -f UTF-16LE -t UTF-8 "$work/out.reg" | tr -d '\r'
}

# A Wine program with a window, for the close list.
wine notepad.exe > /dev/null 2>&1 &
notepad=$!
pids+=("$notepad")
for _ in $(seq 1 100); do
  xdotool search --onlyvisible --name 'Notepad' > /dev/null 2>&1 && break
  sleep 0.1
done

# The program through the emulator, as the shared helper starts a program by its path.
printf '#!/bin/sh\nexec "%s" "%s"\n' "$runner" "$exe" > "$work/tidewell"
chmod +x "$work/tidewell"
# shellcheck source=../../support/tidewell-window.sh
. "$root/tests/support/tidewell-window.sh"
start_tidewell "$work/tidewell" "$work/out.log" || { cat "$work/out.log" >&2; fail "no window titled Tidewell"; }
pids+=("$pid")
echo "window shown $shown_ms ms after the start"
# Its start reads the stored times and numbers itself: the locale's conversions would load
# oleaut32 and the COM runtime into every start.
if grep -qi 'oleaut32' "/proc/$pid/maps"; then fail "the start loaded oleaut32"; fi
# The window manager has the program's icons in both sizes.
icons=$(xprop -id "$win" _NET_WM_ICON | grep -c -e 'Icon (32 x 32)' -e 'Icon (16 x 16)' || true)
[ "$icons" = 2 ] || fail "the window manager has $icons of the program's two icons"
size=$(xwininfo -id "$win" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')
[ "$size" = "1064x598" ] || fail "client area is $size, not 1064x598"
# Wine's explorer docks the tray icon into tint2's tray as a window of its own.
tray=$(xdotool search --class tint2 | head -n1)
icon=$(xwininfo -tree -id "$tray" | awk '/"explorer.exe"/{print $1; exit}')
[ -n "$icon" ] || fail "no tray icon in the tray"
echo "private memory $(wine "$memory" tidewell.exe | awk '{print $2}') KiB"

# "Execute Run Now (Test)": Frame2 at (8040, 1820) twips, the button at (240, 3130) in it.
# Other Wine tests' windows share the display: bring the window up, and click once more if the
# first click went elsewhere (running the list twice does no harm here).
for _ in 1 2; do
  xdotool windowactivate "$win" 2> /dev/null || xdotool windowraise "$win" 2> /dev/null || true
  sleep 0.3
  xdotool mousemove --window "$win" $(((8040 + 240) / 15 + 120)) $(((1820 + 3130) / 15 + 13)) click 1
  for _ in $(seq 1 50); do
    [ -e "$marker" ] && break 2
    sleep 0.1
  done
done
[ -e "$marker" ] || fail "the batch file of the run list did not run"

# "Execute Close Now (Test)": Frame3 at (120, 1485), the button at (3960, 4360) in it.
# The batch file's console may lie over the window and take the first click: likewise.
for _ in 1 2; do
  xdotool windowactivate "$win" 2> /dev/null || xdotool windowraise "$win" 2> /dev/null || true
  sleep 0.3
  xdotool mousemove --window "$win" $(((120 + 3960) / 15 + 120)) $(((1485 + 4360) / 15 + 13)) click 1
  for _ in $(seq 1 50); do
    kill -0 "$notepad" 2>/dev/null || break 2
    sleep 0.1
  done
done
kill -0 "$notepad" 2>/dev/null && fail "Notepad is still running after Execute Close Now"

# "Daily:" (Option2 in Frame1 at (8040, 45), itself at (240, 750)) is stored when clicked.
# The batch file's console may still lie over the window: likewise.
for _ in 1 2; do
  xdotool windowactivate "$win" 2> /dev/null || xdotool windowraise "$win" 2> /dev/null || true
  sleep 0.3
  xdotool mousemove --window "$win" $(((8040 + 240) / 15 + 8)) $(((45 + 750) / 15 + 9)) click 1
  # A loaded machine may take a while over the click and the write.
  for _ in $(seq 1 10); do
    stored | grep -qx '"Option1"="2"' && break 2
    sleep 0.5
  done
done
stored | grep -qx '"Option1"="2"' || { stored >&2; fail "the schedule choice is not stored"; }

# Access keys: Alt+O takes the focus to the hours box, Alt+B, shared by both "Browse To
# Exe" buttons, only moves the focus between them, and Alt+R is "Execute Run Now (Test)"
# (last: the batch file's console takes the keyboard, until a click on the window).
# Keys go to the window that has the keyboard: on a loaded machine that may still be the batch
# file's console, so the window is brought up first, and once more if the typing went elsewhere.
for _ in 1 2; do
  xdotool windowactivate "$win" 2> /dev/null || xdotool windowraise "$win" 2> /dev/null || true
  sleep 0.3
  xdotool key alt+o
  # Keys reach the control that has the focus when they are queued: let the focus move first.
  sleep 1
  xdotool key Home shift+End 7
  for _ in $(seq 1 10); do
    stored | grep -qx '"Text1"="7"' && break 2
    sleep 0.5
  done
done
stored | grep -qx '"Text1"="7"' || { stored >&2; fail "Alt+O did not take the typing to the hours box"; }
# Tidewell's own shown windows: the other Wine tests of the suite show theirs on this display.
shown_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | sort; }
before=$(shown_windows)
xdotool key alt+b alt+b
sleep 1
[ "$(shown_windows)" = "$before" ] || fail "Alt+B opened a window"
# Space on the focused "Browse To Exe" opens the file dialog (its DLL is loaded only then);
# Escape cancels it and adds nothing.
xdotool key space
file_dialog() { xdotool search --onlyvisible --name '^Select EXE file$' > /dev/null 2>&1; }
for _ in $(seq 1 50); do
  file_dialog && break
  sleep 0.2
done
file_dialog || fail "Browse To Exe opened no file dialog"
# The dialog may not have the keyboard yet on a loaded machine: it is brought up first, and
# once more if it stays.
for _ in 1 2; do
  dialog=$(xdotool search --onlyvisible --name '^Select EXE file$' 2> /dev/null | head -n1)
  [ -n "$dialog" ] && { xdotool windowactivate "$dialog" 2> /dev/null || true; }
  sleep 0.3
  xdotool key Escape
  for _ in $(seq 1 25); do
    [ "$(shown_windows)" = "$before" ] && break 2
    sleep 0.2
  done
done
[ "$(shown_windows)" = "$before" ] || fail "Escape did not close the file dialog"
rm -f "$marker"
xdotool key alt+r
for _ in $(seq 1 100); do
  [ -e "$marker" ] && break
  sleep 0.1
done
[ -e "$marker" ] || fail "Alt+R did not run the run list"
xdotool mousemove --window "$win" 4 594 click 1

# Minimised, the window goes to the tray; a click on the icon brings it back.
xdotool windowactivate "$win" 2> /dev/null || true
xdotool windowminimize "$win"
for _ in $(seq 1 50); do
  xdotool search --onlyvisible --name '^Tidewell$' > /dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Tidewell$' > /dev/null 2>&1 && fail "minimised, the window did not go to the tray"
# The icon is looked up again: the tray may have laid its icons out anew meanwhile. The tray's
# balloon, which the first minimising shows, may take the first click: likewise.
for _ in 1 2; do
  icon=$(xwininfo -tree -id "$tray" | awk '/"explorer.exe"/{print $1; exit}')
  [ -n "$icon" ] || fail "minimised, the window has no tray icon"
  eval "$(xdotool getwindowgeometry --shell "$icon")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
  wait_for_window && break
done
[ -n "$win" ] || {
  xwininfo -tree -id "$tray" >&2
  kill -0 "$pid" 2>/dev/null || echo "tidewell.exe is no longer running" >&2
  fail "a click on the tray icon did not bring the window back"
}
sleep 0.5

[ -n "$screenshot" ] && {
  x=$(xwininfo -id "$win" | awk '/Absolute upper-left X/{print $4}')
  y=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/{print $4}')
  import -window root -crop "1066x620+$((x - 1))+$((y - 21))" +repage "$screenshot"
}

# The lists are written by the close itself: take them away first.
wine reg delete "$key" /v ListView1 /f > /dev/null
wine reg delete "$key" /v ListView2 /f > /dev/null
wmctrl -c Tidewell || xdotool key --window "$win" alt+F4
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "tidewell.exe still running after its window closed"
out=$(stored)
grep -qxF "\"ListView1\"=\"${batch_win//\\/\\\\}${sep}\"" <<< "$out" || { echo "$out" >&2; fail "run list not stored at close"; }
grep -qxF "\"ListView2\"=\"notepad.exe${sep}\"" <<< "$out" || { echo "$out" >&2; fail "close list not stored at close"; }
echo "PASS"
