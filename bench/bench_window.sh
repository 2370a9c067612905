#!/usr/bin/env bash
# Start-up of the real program on a private X server with a window manager: the time from
# starting the process to its window being shown, and its resident memory with both lists
# holding 100 rows. Usage: bench_window [tidewell] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../tidewell}
runs=${2:-5}
wrapper=${TIDEWELL_XVFB_WRAPPER:-$here/../../tests/support/with-xvfb.sh}

if [ -z "${TIDEWELL_BENCH_INNER:-}" ]; then
  TIDEWELL_BENCH_INNER=1 exec "$wrapper" openbox -- "$0" "$program" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work"
sep='||||||||---|||'
{
  echo "[Tidewell]"
  printf 'ListView1='; for i in $(seq 1 100); do printf '/usr/local/bin/program-%03d%s' "$i" "$sep"; done; echo
  printf 'ListView2='; for i in $(seq 1 100); do printf 'program-%03d%s' "$i" "$sep"; done; echo
} > "$work/Quillmark.ini"

printf '%-6s %-18s %-10s\n' run startup_ms rss_kB
for run in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  "$program" > /dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name '^Tidewell$' > /dev/null 2>&1; do sleep 0.005; done
  shown=$(date +%s%N)
  sleep 1 # let it settle before reading its memory
  rss=$(awk '/VmRSS/{print $2}' "/proc/$pid/status")
  kill -TERM "$pid"
  wait "$pid" || true
  printf '%-6s %-18s %-10s\n' "$run" $(((shown - start) / 1000000)) "$rss"
done
