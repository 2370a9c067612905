#!/usr/bin/env bash
# Processor time of the real program on a private X server: first idle with monitoring off,
# then monitoring an Every X schedule of one hour (so nothing fires) after "Turn On" was
# clicked with xdotool, with the window shown and then minimised into the tray; read from
# /proc/PID/task/*/schedstat. TIDEWELL_BENCH_SECONDS sets each monitoring time (default 60; 600 for ten
# minutes). While Tidewell's window is shown, floor_window --controls --count runs beside it on
# the same display, clear of it: the same controls as plain Qt widgets, whose status frame's
# title counts down once a second: Qt's own cost for this window's changing caption.
# Usage: bench_monitoring_cpu [tidewell] [floor_window]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../tidewell}
floor=${2:-$here/floor_window}
seconds=${TIDEWELL_BENCH_SECONDS:-60}
wrapper=${TIDEWELL_XVFB_WRAPPER:-@TIDEWELL_XVFB_WRAPPER@}

if [ -z "${TIDEWELL_BENCH_INNER:-}" ]; then
  # Wide enough for both windows side by side: neither covers the other's repaints.
  TIDEWELL_XVFB_SCREEN=${TIDEWELL_XVFB_SCREEN:-3400x1024x24} TIDEWELL_BENCH_INNER=1 \
    exec "$wrapper" openbox trayer -- "$0" "$program" "$floor"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work" XDG_STATE_HOME="$work/state"
printf '[Tidewell]\nOption1=3\nText1=1\nText2=0\nText3=0\nCheck1=0\nCheck2=0\n' \
  > "$work/Quillmark.ini"

# Nanoseconds on a processor per thread (the X connection has one of its own), as "tid ns"
# lines: the clock ticks of /proc/PID/stat are too coarse for these amounts.
cpu_ns() {
  for task in "/proc/$1"/task/*; do
    echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat" 2>/dev/null || echo 0)"
  done
}
# What the threads used between two samples: a thread that ended meanwhile is left out (its
# whole time would otherwise count negative), one that started counts from zero.
used_ns() {
  awk 'NR == FNR {before[$1] = $2; next} {sum += $2 - ($1 in before ? before[$1] : 0)}
       END {printf "%d", sum}' <(echo "$1") <(echo "$2")
}

"$program" > /dev/null 2>&1 &
pid=$!
window=$(xdotool search --sync --onlyvisible --name '^Tidewell$' | head -n1)
sleep 2 # start-up done

idle=$((seconds < 30 ? seconds : 30))
before=$(cpu_ns "$pid")
sleep "$idle"
after=$(cpu_ns "$pid")
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "monitoring off: $idle s, $(( $(used_ns "$before" "$after") / 1000000 )) ms of CPU"

# "Turn On" lies at 120, 120 twips, 7800 x 405: its middle is at 268, 21 pixels.
xdotool mousemove --window "$window" 268 21 click 1
sleep 1
share() {
  awk -v what="$1" -v ns="$2" -v s="$seconds" 'BEGIN {
    printf "%s: %d s, %.1f ms of CPU (%.4f%% of one core)\n", what, s, ns / 1e6, ns / (s * 1e7) }'
}
report_monitoring() {
  local before after
  before=$(cpu_ns "$pid")
  sleep "$seconds"
  after=$(cpu_ns "$pid")
  share "monitoring on, $1" "$(used_ns "$before" "$after")"
}
"$floor" --controls --count > /dev/null 2>&1 &
floor_pid=$!
"$floor" --count > /dev/null 2>&1 &
label_pid=$!
sleep 2
floor_before=$(cpu_ns "$floor_pid") label_before=$(cpu_ns "$label_pid")
before=$(cpu_ns "$pid")
sleep "$seconds"
after=$(cpu_ns "$pid") floor_after=$(cpu_ns "$floor_pid") label_after=$(cpu_ns "$label_pid")
shown_ns=$(used_ns "$before" "$after") floor_ns=$(used_ns "$floor_before" "$floor_after")
label_ns=$(used_ns "$label_before" "$label_after")
share "monitoring on, window shown" "$shown_ns"
share "floor_window --controls --count, beside it" "$floor_ns"
share "floor_window --count (one label in a small window), beside it" "$label_ns"
awk -v a="$shown_ns" -v b="$floor_ns" -v c="$label_ns" \
  'BEGIN {printf "ratio shown/floor: %.2f; shown/one label: %.2f\n", a / b, a / c}' 
kill -TERM "$floor_pid" "$label_pid"
wait "$floor_pid" "$label_pid" || true
# Minimising hides the window in the tray; the balloon that says so stays 5 s.
xdotool windowminimize "$window"
sleep 6
xdotool search --onlyvisible --name '^Tidewell$' > /dev/null 2>&1 &&
  echo "the window did not go into the tray" >&2
report_monitoring "hidden in the tray"
kill -TERM "$pid"
wait "$pid" || true
