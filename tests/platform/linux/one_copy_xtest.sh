#!/usr/bin/env bash
# One copy per session, with the real program under a window manager and a tray host:
# copies started at the same instant leave exactly one, whose window shows, without having
# loaded what only a launch needs; a later start brings back the window hidden in the tray
# and ends with 0 at once; after the copy is killed outright the next start runs, and hands
# later starts over as before.
# "bus" runs a private session bus; "socket" has none, so the copies meet through the
# runtime folder.
# Usage (inside with-xvfb.sh openbox trayer): one_copy_xtest.sh bus|socket path/to/tidewell
set -euo pipefail
mode=$1
source "$(dirname "$0")/../../tray/tray_x_lib.sh" "$2"
app_id=com.quillmark.Tidewell

bus_pid=
case $mode in
  bus)
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/bus" \
      > /dev/null 2>&1 &
    bus_pid=$!
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus"
    until_ok 50 test -S "$work/bus" || fail "the session bus did not start"
    ;;
  socket) export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus-here" ;;
  *) echo "usage: $0 bus|socket path/to/tidewell" >&2; exit 2 ;;
esac
trap '[ -z "$bus_pid" ] || kill "$bus_pid" 2>/dev/null || true; cleanup' EXIT

owner_check() {
  if [ "$mode" = bus ]; then
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.GetNameOwner "string:$app_id" > /dev/null \
      || fail "nobody owns $app_id on the session bus"
  else
    [ -S "$XDG_RUNTIME_DIR/$app_id.socket" ] || fail "no socket in $XDG_RUNTIME_DIR"
  fi
}

# Starts the program once more while a copy runs: it must end with 0 within 10 seconds,
# leaving the running copy the only one.
start_again() {
  local started ended rc=0
  started=$(date +%s%N)
  timeout 10 "$exe" > "$work/again.log" 2>&1 || rc=$?
  ended=$(date +%s%N)
  [ "$rc" -eq 0 ] || fail "a later start ended with $rc: $(cat "$work/again.log")"
  echo "   the later start ended after $(( (ended - started) / 1000000 )) ms"
  kill -0 "$pid" 2>/dev/null || fail "the running copy ended"
}

step "four copies started at the same instant"
mkfifo "$work/go"
copies=()
for i in 1 2 3 4; do
  (read -r _ < "$work/go" || true; exec "$exe" > "$work/copy$i.log" 2>&1) &
  copies+=($!)
done
sleep 0.3
echo go > "$work/go"
running=()
# The ones that hand over end with 0; wait until three have ended.
for _ in $(seq 1 200); do
  running=()
  for p in "${copies[@]}"; do kill -0 "$p" 2>/dev/null && running+=("$p"); done
  [ ${#running[@]} -le 1 ] && break
  sleep 0.1
done
[ ${#running[@]} -eq 1 ] || fail "${#running[@]} copies run after 20 s"
for p in "${copies[@]}"; do
  [ "$p" = "${running[0]}" ] && continue
  rc=0; wait "$p" || rc=$?
  [ "$rc" -eq 0 ] || fail "a copy that handed over ended with $rc: $(cat "$work"/copy*.log)"
done
pid=${running[0]}
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the last copy ended too"
until_ok 100 icon_after_any_home_page_box || fail "no tray icon"
until_ok 100 main_shown || fail "the window of the remaining copy did not show"
owner_check
# Nothing launched yet: GIO waits for the first launch, and the socket needs no network
# module. The rare start that opens the home page has used GIO for it.
home_page_opened() { grep -q . "$TEST_BROWSER_LOG" 2>/dev/null; }
unused='lib(gio-2\.0|Qt6Network)'
if grep -q 'libgio-2\.0' "/proc/$pid/maps" && until_ok 30 home_page_opened; then
  unused='libQt6Network'
fi
loaded=$(grep -o -E "$unused[^/]*\$" "/proc/$pid/maps" | sort -u | tr "\n" " " || true)
[ -z "$loaded" ] || fail "loaded before any use: $loaded"

step "a later start brings the window back from the tray"
minimise_main || fail "minimising did not hide the window"
until_ok 30 main_in_tray || fail "the window stays on the taskbar"
start_again
until_ok 50 main_shown || fail "the later start did not bring the window back"
[ "$(xdotool getactivewindow 2>/dev/null)" = "$(main_window)" ] \
  || echo "   note: the window came back without the focus"

step "a later start while the window shows ends too"
start_again
main_shown || fail "the window went away"

step "killed outright, the next start runs and takes later starts over"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=
if [ "$mode" = socket ]; then
  [ -e "$XDG_RUNTIME_DIR/$app_id.lock" ] || fail "the killed copy left no lock to recover"
fi
start_program "$exe"
until_ok 100 main_shown || fail "the start after the kill showed no window"
owner_check
minimise_main || fail "minimising did not hide the window"
until_ok 30 main_in_tray || fail "the window stays on the taskbar"
start_again
until_ok 50 main_shown || fail "the later start did not bring the window back"
quit_program
echo "PASS"
