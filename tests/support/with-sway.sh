#!/usr/bin/env bash
# Runs a command inside a private headless sway session with Xwayland: WAYLAND_DISPLAY,
# SWAYSOCK and DISPLAY point at it. sway refuses to run as root, so it runs as an
# unprivileged user and lets this user's clients in. Usage: with-sway.sh [bar] -- command...
set -euo pipefail

want_bar=0
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  case "$1" in bar) want_bar=1 ;; esac
  shift
done
[ "${1:-}" = "--" ] && shift

command -v sway > /dev/null || { echo "with-sway: sway is not installed" >&2; exit 1; }
sway_user=${TIDEWELL_SWAY_USER:-65534}
me=$(id -u)
[ "$me" != 0 ] && sway_user=$me

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-sway.XXXXXX")
chmod 755 "$work"
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
# Root's clients may talk to sway's Xwayland; the display's name is written once it is up.
cat > "$work/sway.conf" <<CONF
output HEADLESS-1 resolution 1280x1024
xwayland force
exec sh -c 'until xhost +si:localuser:$(id -un) > /dev/null 2>&1; do sleep 0.05; done; \
  echo "\$DISPLAY" > "$work/home/display.tmp" && mv "$work/home/display.tmp" "$work/home/display"'
CONF
[ $want_bar = 1 ] && printf 'bar {\n  position top\n  status_command while date; do sleep 5; done\n}\n' \
  >> "$work/sway.conf"
chmod 644 "$work/sway.conf"
[ "$sway_user" != "$me" ] && chown "$sway_user" "$work/home" "$work/run"

run_as=()
[ "$sway_user" != "$me" ] &&
  run_as=(setpriv --reuid="$sway_user" --regid="$sway_user" --clear-groups)
"${run_as[@]}" env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  ${DBUS_SESSION_BUS_ADDRESS:+DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS"} \
  sway -c "$work/sway.conf" > "$work/sway.log" 2>&1 &
pid=$!

for _ in $(seq 1 200); do
  [ -s "$work/home/display" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$work/home/display" ]; then
  echo "with-sway: sway did not start" >&2
  cat "$work/sway.log" >&2
  exit 1
fi

export DISPLAY
DISPLAY=$(cat "$work/home/display")
wayland=$(find "$work/run" -maxdepth 1 -type s -name 'wayland-*' | head -n1)
SWAYSOCK=$(find "$work/run" -maxdepth 1 -type s -name 'sway-ipc.*' | head -n1)
export WAYLAND_DISPLAY="$wayland" SWAYSOCK
# This user's own runtime folder: sway's belongs to the sway user.
mkdir -m 700 "$work/client-run"
export XDG_RUNTIME_DIR="$work/client-run"
export XDG_STATE_HOME="$work/client-state"
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway
unset QT_QPA_PLATFORM

set +e
"$@"
rc=$?
exit $rc
