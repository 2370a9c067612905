#!/usr/bin/env bash
# The real program under a window manager and a tray host, driven as a user would:
# tick "Load this software on Windows startup" and "Minimized to system tray", quit, "log in
# again" by running the autostart entry, find the program waiting in the tray with its
# balloon, click the icon to bring the window back; lose the entry and start again, which
# writes it anew; and clear the option again.
# Usage (inside with-xvfb.sh openbox trayer): logon_xtest.sh path/to/tidewell
set -euo pipefail
source "$(dirname "$0")/tray_x_lib.sh" "$1"
entry="$XDG_CONFIG_HOME/autostart/$(basename "$exe").desktop"

step "first start: the window shows, the icon is in the tray"
start_program "$exe"
until_ok 100 main_shown || fail "the main window did not show"
[ ! -e "$entry" ] || fail "an autostart entry exists before the box was ticked"

step "tick both start-up options"
click_in_main 30 569        # Check4, "Load this software on Windows startup"
until_ok 50 test -e "$entry" || fail "ticking Check4 wrote no entry at $entry"
click_in_main 302 569       # Check8, shown once Check4 is ticked
until_ok 50 grep -q '^Minimized=On' "$ini" || fail "Minimized=On not stored: $(cat "$ini")"
grep -q '^Windows%20Startup=On' "$ini" || grep -q '^Windows Startup=On' "$ini" \
  || fail "Windows Startup=On not stored: $(cat "$ini")"
grep -q '^Type=Application' "$entry" || fail "the entry is no application entry"

step "quit, and log in again through the entry"
quit_program
gio launch "$entry" > "$work/launch.log" 2>&1 || fail "gio could not launch the entry"
until_ok 100 eval 'pgrep -nf "^$exe\$" > /dev/null' || fail "the entry started nothing"
pid=$(pgrep -nf "^$exe\$")
until_ok 100 icon_after_any_home_page_box || fail "no tray icon after the logon start"
until_ok 50 balloon_shown || fail "no balloon after the logon start"
main_in_tray || fail "the window is not waiting in the tray"

step "a click on the icon brings the window back"
until_ok 80 eval '! balloon_shown' || fail "the balloon did not go after its time-out"
click_icon 1
until_ok 50 main_shown || fail "clicking the icon did not bring the window back"

step "an entry lost while \"Windows Startup\" stays On is written again at the next start"
quit_program
rm "$entry"
start_program "$exe"
until_ok 50 test -e "$entry" || fail "the start wrote no entry for the stored On"
grep -q '^Type=Application' "$entry" || fail "the entry written at start is no application entry"
click_icon 1
until_ok 50 main_shown || fail "clicking the icon did not bring the window back"

step "clearing the option removes the entry and clears the tray option"
click_in_main 30 569
until_ok 50 eval '! test -e "$entry"' || fail "clearing Check4 left the entry"
grep -q '^Minimized=Off' "$ini" || fail "Minimized=Off not stored"
quit_program
echo "PASS"
