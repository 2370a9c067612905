# Shared by the real-program tests of the tray: a private settings folder, the program's
# windows told apart, and starting, quitting and clicking it as a user would.
# Usage: source tray_x_lib.sh path/to/tidewell   (inside with-xvfb.sh openbox trayer)
set -euo pipefail

exe=$(readlink -f "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-x-test.XXXXXX")
export XDG_CONFIG_HOME="$work/config" HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$HOME"
ini="$XDG_CONFIG_HOME/Quillmark.ini"
pid=

cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$pid" ]; then
    echo "visible windows of the program (id width height):" >&2
    visible_windows >&2 || true
  fi
  cat "$work/program.log" >&2 2>/dev/null || true
  exit 1
}
step() { echo "-- $*"; }

# Runs "$@" until it succeeds, for up to $1 tenths of a second.
until_ok() {
  local tries=$1; shift
  for _ in $(seq 1 "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# The program's visible windows as "id width height" lines.
visible_windows() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    echo "$w $WIDTH $HEIGHT"
  done
}
# xdotool matches names without regard to case, and Qt names the icon and the balloon
# "tidewell"; so the windows are told apart by size: the main window is 1064 pixels wide,
# the balloon a few hundred, the icon (see LINUX-NOTES) at most 40.
main_window() { visible_windows | awk '$2 >= 800 { print $1; exit }'; }
main_shown() { [ -n "$(main_window)" ]; }
main_hidden() { ! main_shown; }
tray_icon() { visible_windows | awk '$2 >= 2 && $2 <= 40 && $3 <= 40 { print $1; exit }'; }
has_tray_icon() { [ -n "$(tray_icon)" ]; }
balloon_shown() { visible_windows | awk '$2 > 100 && $2 < 800 { found = 1 } END { exit !found }'; }

# About one start in a hundred opens the maker's home page; with no browser here that
# fails with an error box, which holds up start-up until it is answered.
icon_after_any_home_page_box() {
  local box
  for box in $(xdotool search --onlyvisible --name '^Application Error$' 2>/dev/null); do
    xdotool windowactivate --sync "$box" key Return 2>/dev/null || true
  done
  has_tray_icon
}

start_program() {
  "$@" > "$work/program.log" 2>&1 &
  pid=$!
  until_ok 100 icon_after_any_home_page_box || fail "no tray icon appeared"
}

quit_program() {
  local win; win=$(main_window)
  wmctrl -i -c "$win"
  until_ok 100 eval '! kill -0 "$pid" 2>/dev/null' || fail "the program did not end on close"
  wait "$pid" 2>/dev/null || true
  pid=
}

# Asks the window manager to minimise the main window, again if it let the first request
# pass, as a person clicking the title bar button would.
minimise_main() {
  local win; win=$(main_window)
  for _ in 1 2 3 4 5; do
    xdotool windowminimize "$win"
    until_ok 10 main_hidden && return 0
  done
  return 1
}

# The main window, shown or not.
any_main_window() {
  local w
  for w in $(xdotool search --pid "$pid" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -ge 800 ] && { echo "$w"; return; }
  done
}
# The main window is off the taskbar too: withdrawn, not just minimised (iconic).
main_in_tray() {
  main_hidden && ! xprop -id "$(any_main_window)" WM_STATE 2>/dev/null | grep -qi iconic
}

# Clicks the tray icon with the given button (1 left, 3 right).
click_icon() {
  xdotool mousemove --window "$(tray_icon)" 5 5 click "$1"
}

# Clicks the main window at a place in it (pixels).
click_in_main() {
  xdotool mousemove --window "$(main_window)" "$1" "$2" click 1
}
