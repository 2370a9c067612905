#!/usr/bin/env bash
# A failed scheduled firing is heard about while the window is out of sight: the real program,
# set to run two programs that do not exist every 6 seconds, fires once in sight (no
# notification), once hidden in the tray (exactly one notification, naming the first entry
# and the other as "1 more", taken by a real notification server, dunst), and once in sight
# again (none).
# Usage (inside with-xvfb.sh openbox trayer dbus): failed_firing_notice_x_test.sh path/to/tidewell
set -euo pipefail
source "$(dirname "$0")/../tray/tray_x_lib.sh" "$1"
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no session bus (run inside with-xvfb.sh dbus)"
command -v dunst > /dev/null || fail "dunst is not installed (scripts/install-deps.sh installs it)"

dunst > "$work/dunst.log" 2>&1 &
dunst_pid=$!
dbus-monitor --session "type='method_call',interface='org.freedesktop.Notifications',member='Notify'" \
  > "$work/notify.log" 2>&1 &
monitor_pid=$!
trap 'kill $dunst_pid $monitor_pid 2>/dev/null || true; cleanup' EXIT
until_ok 50 gdbus call --session --dest org.freedesktop.Notifications \
  --object-path /org/freedesktop/Notifications \
  --method org.freedesktop.Notifications.GetServerInformation > /dev/null 2>&1 ||
  fail "dunst did not take the notification service"

missing1=/nonexistent/tidewell-missing-one
missing2=/nonexistent/tidewell-missing-two
# Every X: 0 h 0 min 6 s, the run feature on, the two missing programs in the run list.
cat > "$ini" <<INI
[Tidewell]
Option1=3
Text1=0
Text2=0
Text3=6
Check1=1
Check2=0
ListView1=$missing1||||||||---|||$missing2||||||||---|||
INI
journal="$XDG_STATE_HOME/tidewell/history.log"
firings() { [ -f "$journal" ] && grep -c "Run file $missing2" "$journal" || echo 0; }
notifications() { grep -c 'member=Notify' "$work/notify.log" || true; }

step "a firing while the window is in sight notifies nobody"
start_program "$exe"
until_ok 100 main_shown || fail "the main window did not show"
click_in_main 100 20 # PushButton2, "Turn On"
until_ok 90 eval '[ "$(firings)" -ge 1 ]' || fail "monitoring fired nothing"
grep -q "Run file $missing1 — not started: " "$journal" || fail "no failure row: $(cat "$journal")"

step "a firing while hidden in the tray: one notification"
minimise_main || fail "minimising did not hide the window"
until_ok 30 main_in_tray || fail "the window stays on the taskbar"
[ "$(firings)" -eq 1 ] || fail "fired again before it was hidden; the test's times are too tight"
[ "$(notifications)" -eq 0 ] || fail "a notification while the window was in sight"
until_ok 90 eval '[ "$(firings)" -ge 2 ]' || fail "monitoring fired nothing while hidden"
until_ok 30 eval '[ "$(notifications)" -ge 1 ]' || fail "no notification for the hidden firing"
sleep 1
[ "$(notifications)" -eq 1 ] || fail "$(notifications) notifications for one firing"
grep -q "a scheduled firing failed" "$work/notify.log" || fail "title: $(cat "$work/notify.log")"
grep -q "Run file $missing1 — not started: " "$work/notify.log" || fail "body: $(cat "$work/notify.log")"
grep -q "and 1 more (see the history)" "$work/notify.log" || fail "body: $(cat "$work/notify.log")"
shown=$(($(dunstctl count displayed) + $(dunstctl count history) + $(dunstctl count waiting)))
[ "$shown" -eq 1 ] || fail "dunst holds $shown notifications"

step "back in sight: the next firing notifies nobody"
click_icon 1
until_ok 50 main_shown || fail "a click on the icon did not bring the window back"
until_ok 90 eval '[ "$(firings)" -ge 3 ]' || fail "monitoring fired nothing after the restore"
sleep 1
[ "$(notifications)" -eq 1 ] || fail "a notification while the window was in sight again"
quit_program
echo "PASS"
