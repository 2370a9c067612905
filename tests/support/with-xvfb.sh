#!/usr/bin/env bash
# Runs a command against a private X server of its own.
# Usage: with-xvfb.sh [openbox] [trayer] [tint2] [dbus] -- command args...
# The screen is 1280x1024x24 unless TIDEWELL_XVFB_SCREEN names another.
set -euo pipefail

want_openbox=0
want_trayer=0
want_tint2=0
want_dbus=0
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  case "$1" in
    openbox) want_openbox=1 ;;
    trayer) want_trayer=1 ;;
    tint2) want_tint2=1 ;;
    dbus) want_dbus=1 ;;
    "") ;;
    *) for w in $1; do
         case "$w" in
           openbox) want_openbox=1 ;; trayer) want_trayer=1 ;; tint2) want_tint2=1 ;;
           dbus) want_dbus=1 ;;
         esac
       done ;;
  esac
  shift
done
[ "${1:-}" = "--" ] && shift

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-x.XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 "${TIDEWELL_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset > "$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
exec 3>&-
[ -s "$work/display" ] || { echo "with-xvfb: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# A user's session has a browser. Without one, the program's rare start that opens the
# maker's home page would stop at an error box and hang whichever test drew that start.
# The test browser notes each address it is given in $TEST_BROWSER_LOG.
mkdir -p "$work/data/applications"
export TEST_BROWSER_LOG="$work/browser.log"
printf '#!/bin/sh\necho "$1" >> "$TEST_BROWSER_LOG"\n' > "$work/data/test-browser"
chmod +x "$work/data/test-browser"
cat > "$work/data/applications/tidewell-test-browser.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Test browser
Exec=$work/data/test-browser %u
MimeType=x-scheme-handler/http;x-scheme-handler/https;
NoDisplay=true
DESKTOP
printf '[Default Applications]\nx-scheme-handler/http=%s\nx-scheme-handler/https=%s\n' \
  tidewell-test-browser.desktop tidewell-test-browser.desktop \
  > "$work/data/applications/mimeapps.list"
export XDG_DATA_HOME="$work/data"
# The history journal of the programs under test, never the tester's own.
export XDG_STATE_HOME="$work/state"

if [ $want_dbus = 1 ]; then
  dbus-daemon --session --nofork --address="unix:path=$XDG_RUNTIME_DIR/bus" \
              --print-address=4 4> "$work/bus" > "$work/dbus.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do
    [ -s "$work/bus" ] && break
    sleep 0.05
  done
  export DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$work/bus")"
fi
if [ $want_openbox = 1 ]; then
  openbox --sm-disable > "$work/openbox.log" 2>&1 &
  pids+=($!)
  # openbox is up once it owns the window manager selection.
  for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
fi
if [ $want_trayer = 1 ]; then
  trayer --edge bottom --align right --widthtype pixel --width 200 --height 32 \
         > "$work/trayer.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do
    xprop -root 2>/dev/null | grep -q '_NET_SYSTEM_TRAY' && break
    xwininfo -root -tree 2>/dev/null | grep -qi trayer && break
    sleep 0.05
  done
  sleep 0.3
fi
# tint2's tray docks Wine's icons reliably and passes their clicks on.
if [ $want_tint2 = 1 ]; then
  tint2 > "$work/tint2.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"tint2"' && break
    sleep 0.05
  done
  sleep 0.3
fi

set +e
"$@"
rc=$?
exit $rc
