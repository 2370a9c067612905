#!/usr/bin/env bash
# The desktop every Wine test of one run shares: a fresh Wine prefix, one private Xvfb with
# a window manager and a tray host, and a Wine server kept running between the tests.
# Wine's desktop process binds to the display it first meets, so all tests use the same one.
# Usage: wine-session.sh start|stop <directory>
set -euo pipefail
action=$1
dir=$2
wine_run=$(cd "$(dirname "$0")/../../.." && pwd)/cmake/toolchain/wine-run.sh
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all

stop() {
  wineserver -k > /dev/null 2>&1 || true
  if [ -f "$dir/pids" ]; then
    while read -r pid; do kill "$pid" 2> /dev/null || true; done < "$dir/pids"
  fi
  rm -f "$dir/pids"
}

if [ "$action" = stop ]; then
  stop
  exit 0
fi

stop
rm -rf "$dir"
mkdir -p "$dir"
log="$dir/session.log"
start=$(date +%s%N)

# Every background process gets its own output, never the test's: CTest waits for the
# output pipe of a test to close before it ends it.
exec 3> "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset < /dev/null >> "$log" 2>&1 &
echo $! >> "$dir/pids"
exec 3>&-
for _ in $(seq 1 100); do
  [ -s "$dir/display" ] && break
  sleep 0.05
done
[ -s "$dir/display" ] || { echo "wine-session: Xvfb did not start" >&2; cat "$log" >&2; exit 1; }
display=":$(head -n1 "$dir/display")"
echo "$display" > "$dir/display"
DISPLAY=$display openbox --sm-disable < /dev/null >> "$log" 2>&1 &
echo $! >> "$dir/pids"
DISPLAY=$display tint2 < /dev/null >> "$log" 2>&1 &
echo $! >> "$dir/pids"

# The prefix is made without a display; wineboot returns before the registry is written.
env -u DISPLAY "$wine_run" wineboot -i < /dev/null >> "$log" 2>&1
wineserver -w
ready=$(date +%s%N)
wineserver -p < /dev/null >> "$log" 2>&1
# One program on the display starts Wine's desktop process now, with output of its own.
DISPLAY=$display "$wine_run" cmd /c exit 0 < /dev/null >> "$log" 2>&1 || true
echo "wine session: prefix made in $(((ready - start) / 1000000)) ms," \
  "ready on $display in $((($(date +%s%N) - start) / 1000000)) ms"
