#!/usr/bin/env bash
# Monitoring goes on while the window is hidden in the tray: the real program, set to run a
# program every 2 seconds, is switched on, minimised to the tray, and keeps running it;
# later minimises show no balloon, and a right click on the icon brings the window back.
# Usage (inside with-xvfb.sh openbox trayer): hidden_monitoring_xtest.sh path/to/tidewell
set -euo pipefail
source "$(dirname "$0")/tray_x_lib.sh" "$1"

ticks="$work/ticks"
cat > "$work/tick.sh" <<SCRIPT
#!/bin/sh
echo run >> "$ticks"
SCRIPT
chmod +x "$work/tick.sh"
# Every X: 0 h 0 min 2 s, the run feature on, the one program in the run list.
cat > "$ini" <<INI
[Tidewell]
Option1=3
Text1=0
Text2=0
Text3=2
Check1=1
Check2=0
ListView1=$work/tick.sh||||||||---|||
INI
runs() { [ -f "$ticks" ] && wc -l < "$ticks" || echo 0; }

step "switch monitoring on and minimise to the tray"
start_program "$exe"
until_ok 100 main_shown || fail "the main window did not show"
click_in_main 100 20        # PushButton2, "Turn On"
until_ok 60 eval '[ "$(runs)" -ge 1 ]' || fail "monitoring ran nothing"
minimise_main || fail "minimising did not hide the window"
until_ok 30 main_in_tray || fail "the window stays on the taskbar"
until_ok 50 balloon_shown || fail "no balloon at the first minimise"

step "it keeps running the program while hidden"
before=$(runs)
sleep 5
main_in_tray || fail "the window came back by itself"
after=$(runs)
[ "$after" -ge $((before + 2)) ] || fail "only $((after - before)) runs in 5 s while hidden"

step "a right click restores; the second minimise hides without a balloon"
until_ok 80 eval '! balloon_shown' || fail "the balloon did not go"
click_icon 3
until_ok 50 main_shown || fail "a right click on the icon did not bring the window back"
sleep 0.5
minimise_main || fail "the second minimise did not hide the window"
until_ok 30 main_in_tray || fail "the window stays on the taskbar"
sleep 1
! balloon_shown || fail "a balloon at the second minimise"
click_icon 1
until_ok 50 main_shown || fail "a left click on the icon did not bring the window back"
quit_program
echo "PASS"
