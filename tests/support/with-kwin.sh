#!/usr/bin/env bash
# Runs a command inside a private headless KWin (KDE Plasma's compositor) with Xwayland, on a
# private session bus: WAYLAND_DISPLAY and DISPLAY point at it. The packaged kwin_wayland
# carries a file capability a container may not grant, so a plain copy of it is run.
# Usage: with-kwin.sh command...
set -euo pipefail

command -v kwin_wayland > /dev/null || { echo "with-kwin: kwin_wayland is not installed" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-kwin.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
mkdir -m 700 "$work/run" "$work/client-run"

# KWin starts this once it is ready, with its displays in the environment, and ends with
# it; the command's status comes back through a file.
{
  echo '#!/usr/bin/env bash'
  echo "export XDG_RUNTIME_DIR=$work/client-run WAYLAND_DISPLAY=$work/run/wayland-tidewell"
  echo "export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE"
  printf '%q ' "$@"
  echo "> $work/output 2>&1"
  echo "echo \$? > $work/status"
} > "$work/session.sh"
chmod +x "$work/session.sh"

export XDG_RUNTIME_DIR="$work/run" HOME="$work"
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK I3SOCK QT_QPA_PLATFORM
dbus-run-session -- "$work/kwin_wayland" --virtual --xwayland --width 1280 --height 1024 \
  --socket wayland-tidewell --exit-with-session "$work/session.sh" > "$work/kwin.log" 2>&1 || true
if [ ! -f "$work/status" ]; then
  echo "with-kwin: KWin did not run the command" >&2
  cat "$work/kwin.log" >&2
  exit 1
fi
cat "$work/output"
exit "$(cat "$work/status")"
