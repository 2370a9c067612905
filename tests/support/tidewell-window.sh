# Shell helpers for driving the real Tidewell window on an X server; source this file.

# A fresh folder, removed at exit, whose config folder the program uses: sets work, and ini
# to the settings file there. $1 names the folder.
use_fresh_settings() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-$1.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
  ini="$XDG_CONFIG_HOME/Quillmark.ini"
  mkdir -p "$XDG_CONFIG_HOME"
}

# Waits up to ten seconds for the program started by start_tidewell to end. Returns 1 when it
# still runs (it is then killed), 2 when it ended with a failure status.
wait_for_exit() {
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    return 1
  fi
  wait "$pid" || return 2
}

# Starts the program ($1) with its output in $2; sets pid, win to its shown window, and
# shown_ms to the milliseconds from the start until the window showed.
# Returns 1 when no window titled Tidewell appears within ten seconds.
start_tidewell() {
  local start
  start=$(date +%s%N)
  "$1" > "$2" 2>&1 &
  pid=$!
  wait_for_window || return 1
  shown_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  sleep 0.5 # let the window manager finish placing it
}

# Waits up to ten seconds for a shown window titled Tidewell and sets win to it; returns 1
# when none shows.
wait_for_window() {
  win=""
  for _ in $(seq 1 200); do
    win=$(xdotool search --onlyvisible --name '^Tidewell$' 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && return 0
    sleep 0.05
  done
  return 1
}

# Clicks "Execute Run Now (Test)": Frame2 at (536, 121), the button at (16, 209) in it,
# 240 x 27 pixels.
click_run_now() {
  xdotool mousemove --window "$win" $((536 + 16 + 120)) $((121 + 209 + 13)) click 1
}
