#!/usr/bin/env bash
# Start-up of the real program on a private X server with a window manager and a tray: the
# time from starting the process to its window being shown, and its resident memory with both
# lists holding 100 rows, on a desktop with a session bus as every desktop has. Each run also
# measures floor_window, the smallest Qt window with a button and a tray icon, for the memory,
# and floor_window --controls, the same controls as plain Qt widgets with the same 100 rows and
# no behaviour, for the start-up: so that each figure is read against what Qt itself needs on
# the same machine under the same load. The medians of the start-ups end the report.
# Usage: bench_window [tidewell] [runs] [floor_window]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../tidewell}
runs=${2:-5}
floor=${3:-$here/floor_window}
wrapper=${TIDEWELL_XVFB_WRAPPER:-@TIDEWELL_XVFB_WRAPPER@}

if [ -z "${TIDEWELL_BENCH_INNER:-}" ]; then
  TIDEWELL_BENCH_INNER=1 exec "$wrapper" openbox trayer dbus -- "$0" "$program" "$runs" "$floor"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work" XDG_STATE_HOME="$work/state"
sep='||||||||---|||'
{
  echo "[Tidewell]"
  printf 'ListView1='; for i in $(seq 1 100); do printf '/usr/local/bin/program-%03d%s' "$i" "$sep"; done; echo
  printf 'ListView2='; for i in $(seq 1 100); do printf 'program-%03d%s' "$i" "$sep"; done; echo
} > "$work/Quillmark.ini"

# Starts a program (with the options in $3), waits for its window titled $2, lets it settle,
# and prints the start-up time in ms and the resident memory in kB.
measure() {
  local start shown rss pid
  start=$(date +%s%N)
  # shellcheck disable=SC2086 # the options are words
  "$1" ${3:-} > /dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "^$2\$" > /dev/null 2>&1; do sleep 0.005; done
  shown=$(date +%s%N)
  sleep 1 # let it settle before reading its memory
  rss=$(awk '/VmRSS/{print $2}' "/proc/$pid/status")
  if [ -n "${TIDEWELL_BENCH_SMAPS:-}" ]; then
    cp "/proc/$pid/smaps" "$TIDEWELL_BENCH_SMAPS.$2${3:-}"
  fi
  kill -TERM "$pid"
  wait "$pid" || true
  echo "$(((shown - start) / 1000000)) $rss"
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
# The first start stores every value it restores; a user's every later start finds them.
measure "$program" Tidewell > /dev/null
printf '%-6s %-12s %-12s %-18s %-14s %-20s\n' run startup_ms rss_kB floor_startup_ms floor_rss_kB \
  controls_startup_ms
startups=() floor_startups=() controls_startups=()
for run in $(seq 1 "$runs"); do
  read -r startup rss < <(measure "$program" Tidewell)
  read -r floor_startup floor_rss < <(measure "$floor" Floor)
  read -r controls_startup _ < <(measure "$floor" Floor --controls)
  startups+=("$startup") floor_startups+=("$floor_startup") controls_startups+=("$controls_startup")
  printf '%-6s %-12s %-12s %-18s %-14s %-20s\n' "$run" "$startup" "$rss" "$floor_startup" \
    "$floor_rss" "$controls_startup"
done
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
ours=$(median "${startups[@]}") controls=$(median "${controls_startups[@]}")
echo "median start-up: $ours ms; the floor's: $(median "${floor_startups[@]}") ms; the floor" \
  "with the same controls: $controls ms, ratio $(awk -v a="$ours" -v b="$controls" \
  'BEGIN {printf "%.2f", a / b}')"
