#!/usr/bin/env bash
# Draws docs/screenshot.png: the real window on a private X server with a window manager,
# two programs in each list and the history rows of one "Execute Run Now (Test)".
# Usage: scripts/screenshot.sh [build/tidewell] [docs/screenshot.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/tidewell}")
output=$(realpath -m "${2:-$root/docs/screenshot.png}")
if [ -z "${TIDEWELL_SHOT_INNER:-}" ]; then
  TIDEWELL_SHOT_INNER=1 exec "$root/tests/support/with-xvfb.sh" openbox -- "$0" "$program" "$output"
fi

export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
sep='||||||||---|||'
printf '[Tidewell]\nListView1=/usr/bin/xclock%s/usr/bin/xeyes%s\nListView2=xclock%sxeyes%s\nCheck2=1\n' \
  "$sep" "$sep" "$sep" "$sep" > "$XDG_CONFIG_HOME/Quillmark.ini"
. "$root/tests/support/tidewell-window.sh"
start_tidewell "$program" /dev/null || { echo "no window titled Tidewell" >&2; exit 1; }
click_run_now
sleep 1.5
xdotool windowraise "$win"
sleep 0.5
x=$(xwininfo -id "$win" | awk '/Absolute upper-left X/{print $4}')
y=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/{print $4}')
# The client area with the window manager's frame and title bar (21 pixels high).
import -window root -crop "1066x620+$((x - 1))+$((y - 21))" +repage "$output"
kill -TERM "$pid"
wait "$pid" || true
echo "wrote $output"
