#!/usr/bin/env bash
# The installed program under a window manager and a tray host: its window shows, ticking
# "Load this software on Windows startup" writes an autostart entry that runs the installed
# path, and a second start ends with 0 at once while the first brings its window back from
# the tray.
# Usage (inside with-xvfb.sh openbox trayer): installed_xtest.sh /usr/bin/tidewell
set -euo pipefail
source "$(dirname "$0")/../tray/tray_x_lib.sh" "$1"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus-here"
entry="$XDG_CONFIG_HOME/autostart/tidewell.desktop"

step "the installed program shows its window"
start_program "$exe"
until_ok 100 main_shown || fail "no window"
[ "$(xprop -id "$(main_window)" WM_CLASS)" = 'WM_CLASS(STRING) = "tidewell", "tidewell"' ] \
  || fail "the window's class is not the desktop entry's: $(xprop -id "$(main_window)" WM_CLASS)"

step "start at logon runs the installed program"
click_in_main 30 569        # "Load this software on Windows startup"
until_ok 50 test -e "$entry" || fail "no autostart entry"
grep -qx "Exec=\"$exe\"" "$entry" || fail "the entry does not run $exe: $(cat "$entry")"
click_in_main 30 569
until_ok 50 eval '! test -e "$entry"' || fail "clearing the box left the entry"

step "a second start hands over and ends with 0"
minimise_main || fail "minimising did not hide the window"
until_ok 30 main_in_tray || fail "the window stays on the taskbar"
rc=0; timeout 10 "$exe" > "$work/again.log" 2>&1 || rc=$?
[ $rc -eq 0 ] || fail "the second start ended with $rc: $(cat "$work/again.log")"
until_ok 50 main_shown || fail "the first copy did not bring its window back"
kill -0 "$pid" || fail "the first copy ended"
quit_program
echo PASS
