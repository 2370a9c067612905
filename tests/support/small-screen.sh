# Shell helpers for checking the Tidewell window on a small screen at a high scale, whatever
# toolkit draws it; source this file after tidewell-window.sh (win is the shown window).

# Where a point of the layout (twips from the client area's top left) is on the scaled
# window: the window is drawn at whatever share of its 15960 x 8970 twips fits.
at() {
  echo $(($1 * client_width / 15960)) $(($2 * client_width / 15960))
}

# Fails unless the whole window, its title bar included, lies on the screen.
check_window_on_screen() {
  local screen_w screen_h frame
  read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/{split($2, d, "x"); print d[1], d[2]}')
  # xwininfo, as xdotool counts the window manager's frame into the client's place.
  read -r X Y WIDTH HEIGHT frame < <(xwininfo -id "$win" | awk '
    /Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
    /Width:/ {w = $2} /Height:/ {h = $2} /Relative upper-left Y:/ {t = $4}
    END {print x, y, w, h, t}')
  client_width=$WIDTH
  echo "screen ${screen_w}x${screen_h}, client ${WIDTH}x${HEIGHT} at ${X},${Y}, title bar ${frame}"
  [ "$X" -ge 0 ] && [ "$((Y - frame))" -ge 0 ] || fail "the window starts off the screen"
  [ "$((X + WIDTH))" -le "$screen_w" ] || fail "the right column is off the screen"
  [ "$((Y + HEIGHT))" -le "$screen_h" ] || fail "the bottom edge is off the screen"
  [ $((WIDTH * 8970 / 15960 - HEIGHT)) -le 1 ] && [ $((HEIGHT - WIDTH * 8970 / 15960)) -le 1 ] ||
    fail "the window's layout is not scaled evenly"
}

# Waits up to five seconds for a shown window of exactly that title; echoes the newest.
wait_for_title() {
  local found
  for _ in $(seq 1 50); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "$win" | tail -n1 || true)
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.1
  done
  return 1
}

# Clicks the rightmost and lowest controls and checks that each answers.
# Usage: click_right_column <check command> <seconds stored> <start-up stored>
click_right_column() {
  local check=$1 seconds=$2 startup=$3 box
  # The Seconds box (Frame1 at 8040,45; the box at 5640,270, 615 x 345 in it).
  # shellcheck disable=SC2046
  xdotool mousemove --window "$win" $(at $((8040 + 5640 + 300)) $((45 + 270 + 170))) click --repeat 3 1
  # The keys go where the focus is, as a user's do.
  xdotool key ctrl+a
  xdotool type 7
  for _ in $(seq 1 30); do "$check" "$seconds" && break; sleep 0.1; done
  "$check" "$seconds" || fail "the Seconds box did not take the typing"
  # "Delete Selected Item" of the run list (Frame2 at 8040,1820; the button at 3960,3130):
  # with no row selected, the error box.
  # shellcheck disable=SC2046
  xdotool mousemove --window "$win" $(at $((8040 + 3960 + 1800)) $((1820 + 3130 + 200))) click 1
  box=$(wait_for_title "Application Error") || fail "\"Delete Selected Item\" did not answer"
  xdotool windowactivate --sync "$box" key Return
  sleep 0.5
  # "Clear History Log" (Frame6 at 8040,6090; the button at 3960,2200): its question.
  # shellcheck disable=SC2046
  xdotool mousemove --window "$win" $(at $((8040 + 3960 + 1800)) $((6090 + 2200 + 200))) click 1
  box=$(wait_for_title "Tidewell") || fail "\"Clear History Log\" did not answer"
  # No: a Windows box takes its N key, Qt's its Escape.
  xdotool windowactivate --sync "$box" key n
  sleep 0.3
  xdotool search --onlyvisible --name '^Tidewell$' | grep -qx "$box" &&
    xdotool windowactivate --sync "$box" key Escape
  sleep 0.5
  xdotool search --onlyvisible --name '^Tidewell$' | grep -qx "$box" &&
    fail "the question of \"Clear History Log\" did not close"
  # "Load this software on Windows startup", at the bottom edge (Frame5 at 120,8100; the box
  # at 240,300): on its mark.
  # shellcheck disable=SC2046
  xdotool mousemove --window "$win" $(at $((120 + 240 + 90)) $((8100 + 300 + 140))) click 1
  for _ in $(seq 1 30); do "$check" "$startup" && break; sleep 0.1; done
  "$check" "$startup" || fail "the start-up box did not take the click"
}
