#!/usr/bin/env bash
# Starts Tidewell. With no display, starts it on a private X server (with a window manager
# and a tray) and leaves a screenshot to look at.
set -euo pipefail
exe=${1:-build/tidewell}

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$exe"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-run.XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT INT TERM

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.05; done
exec 3>&-
export DISPLAY=":$(head -n1 "$work/display")"
mkdir -m 700 -p "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
openbox --sm-disable > "$work/openbox.log" 2>&1 &
pids+=($!)
trayer --edge bottom --align right --widthtype pixel --width 200 --height 32 \
  > "$work/trayer.log" 2>&1 &
pids+=($!)
sleep 1

"$exe" &
app=$!
pids+=($app)
sleep 3
shot="$work/screenshot.png"
if command -v import > /dev/null; then
  import -window root "$shot" 2> /dev/null || true
fi
echo "No display found: Tidewell is running on a private X server $DISPLAY (openbox and trayer)."
[ -f "$shot" ] && echo "Screenshot: $shot"
echo "Use DISPLAY=$DISPLAY with xdotool to drive it; press Ctrl+C to stop."
wait "$app"
