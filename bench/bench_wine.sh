#!/usr/bin/env bash
# The Windows edition under Wine, beside Wine's own Notepad started in the same prefix on the
# same private X server: the time from starting each to its window being shown, the private
# memory each reports through GetProcessMemoryInfo once settled, and the processor time of
# Tidewell monitoring an Every X schedule of one hour (nothing fires) with its window shown,
# against Notepad's idle over the same seconds. Each figure is also printed as a ratio to
# Notepad's. Each run also starts floor_window.exe, Tidewell's controls as plain Win32 controls
# with no behaviour: what Wine itself needs to show that window, read beside Tidewell's start.
# While Tidewell monitors with its window shown, floor_window.exe --count runs beside it, clear
# of it: those controls woken at each whole second, with the countdown and the bar changed
# the plainest way, Wine's own cost for what that window does while monitoring (Notepad idle
# does nothing).
# TIDEWELL_BENCH_SECONDS sets the monitoring time (default 60).
# TIDEWELL_BENCH_BASELINE names another build's tidewell.exe (an earlier commit's, say) whose
# start is timed too, in the same runs and prefix, so that a change is judged against it
# under the same load; it takes no part in the processor-time phases. TIDEWELL_BENCH_START_ONLY=1
# ends the bench after the start and memory runs.
# Usage: bench_wine.sh <windows build folder> [runs (default 21)]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$(realpath "$1")
runs=${2:-21}
seconds=${TIDEWELL_BENCH_SECONDS:-60}
exe=$tree/tidewell.exe
memory=$tree/tests/frontend/win32/private_memory.exe
floor_exe=$tree/bench/win32/floor_window.exe
hold_exe=$tree/bench/win32/hold_desktop.exe
runner=$root/cmake/toolchain/wine-run.sh

if [ -z "${TIDEWELL_BENCH_INNER:-}" ]; then
  # Wide enough for Tidewell's window and the counting floor's side by side.
  TIDEWELL_XVFB_SCREEN=${TIDEWELL_XVFB_SCREEN:-2400x1024x24} TIDEWELL_BENCH_INNER=1 \
    exec "$root/tests/support/with-xvfb.sh" "openbox tint2" -- "$0" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-bench-wine.XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -KILL "$p" 2> /dev/null || true; done
  wineserver -k 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
wine() { "$runner" "$@"; }
# The program as the zip and the installer ship it: without its debugging sections, which
# the loader would otherwise read into private memory.
x86_64-w64-mingw32-strip -o "$work/tidewell.exe" "$exe"
exe=$work/tidewell.exe
x86_64-w64-mingw32-strip -o "$work/floor_window.exe" "$floor_exe"
floor_exe=$work/floor_window.exe
baseline=
if [ -n "${TIDEWELL_BENCH_BASELINE:-}" ]; then
  # Under the same name, which the memory probe looks processes up by.
  mkdir "$work/baseline"
  baseline=$work/baseline/tidewell.exe
  x86_64-w64-mingw32-strip -o "$baseline" "$TIDEWELL_BENCH_BASELINE"
fi
env -u DISPLAY "$runner" wineboot -i > /dev/null 2>&1
wineserver -w
# Notepad by its file: by its bare name the loader would start it through start.exe, a process
# more to wait for and the one whose processor time would be read.
notepad_exe=$WINEPREFIX/drive_c/windows/system32/notepad.exe
# The session stays up between the runs, as a desktop's does: each program's start is then
# its own, not that of Wine's server and desktop process, which every run would otherwise pay.
# The desktop process ends when no program uses the desktop: hold_desktop.exe uses it all along.
wineserver -p
"$runner" "$hold_exe" > /dev/null 2>&1 &
pids+=("$!")
disown "$!" # ended by cleanup, without a word from the shell

# Both lists hold 100 rows (TIDEWELL_BENCH_ROWS), as in bench_window; Every X of one hour,
# so that nothing fires.
rows=${TIDEWELL_BENCH_ROWS:-100}
key='HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Quillmark\Tidewell'
sep='||||||||---|||'
{
  printf 'REGEDIT4\r\n\r\n[%s]\r\n' "$key"
  printf '"ListView1"="'
  for i in $(seq 1 "$rows"); do printf 'C:\\\\Programs\\\\program-%03d.exe%s' "$i" "$sep"; done
  printf '"\r\n"ListView2"="'
  for i in $(seq 1 "$rows"); do printf 'program-%03d.exe%s' "$i" "$sep"; done
  printf '"\r\n"Option1"="3"\r\n"Text1"="1"\r\n"Text2"="0"\r\n"Text3"="0"\r\n'
} > "$work/settings.reg"
wine regedit /s "$(wine winepath -w "$work/settings.reg" 2> /dev/null)" > /dev/null 2>&1

# Processor time of a process's threads in nanoseconds (/proc/PID/task/*/schedstat).
cpu_ns() {
  local sum=0 task
  for task in "/proc/$1"/task/*; do
    sum=$((sum + $(cut -d' ' -f1 "$task/schedstat" 2> /dev/null || echo 0)))
  done
  echo "$sum"
}
# This prefix's wineserver: other Wine sessions may run on the machine, and one just ended may
# linger unreadable a moment.
own_wineserver() {
  local p
  for p in $(pgrep wineserver); do
    if tr '\0' '\n' 2> /dev/null < "/proc/$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$p"
    fi
  done | head -n1
}
server=$(own_wineserver)
failed_starts=0
# Starts a Windows program ($1, with the arguments after $2) and waits for its shown window,
# whose title matches $2; sets pid and win, shown_ms to the milliseconds from the start until
# the window showed, and shown_cpu_ms to the processor time the program and the wineserver
# spent until then: the work of the start, which the machine's other load lengthens far less
# than the wall time.
start_program() {
  local start server_ns attempt status
  for attempt in 1 2 3; do
    server_ns=$(cpu_ns "$server")
    start=$(date +%s%N)
    # The runner execs the loader, so that $! is the Windows program's own process. Wine's
    # error messages are kept for a start that fails.
    WINEDEBUG=-all,err+all "$runner" "$1" "${@:3}" > /dev/null 2> "$work/start.err" &
    pid=$!
    pids+=("$pid")
    win=""
    until [ -n "$win" ]; do
      win=$(xdotool search --onlyvisible --name "$2" 2> /dev/null | head -n1 || true)
      [ -z "$win" ] || break
      [ -e "/proc/$pid" ] || break # ended before its window showed
      if [ $((($(date +%s%N) - start) / 1000000000)) -ge 60 ]; then
        echo "bench_wine: $(basename "$1") showed no window within 60 s" >&2
        exit 1
      fi
      sleep 0.005
    done
    if [ -n "$win" ]; then
      shown_ms=$((($(date +%s%N) - start) / 1000000))
      shown_cpu_ms=$((($(cpu_ns "$pid") + $(cpu_ns "$server") - server_ns) / 1000000))
      return
    fi
    # Now and then a Wine program ends at its start without a window (Notepad as well as
    # Tidewell): said, with what Wine wrote, and started again rather than waited for.
    status=0
    wait "$pid" || status=$?
    echo "bench_wine: $(basename "$1") ended with status $status before its window showed" \
      "(start $attempt); Wine wrote: $(tail -n 5 "$work/start.err" | tr '\n' ' ')" >&2
    failed_starts=$((failed_starts + 1))
  done
  exit 1
}
private_kib() { wine "$memory" "$1" | tr -d '\r' | awk 'NR == 1 {print $2}'; }
stop_program() {
  kill -TERM "$1" 2> /dev/null || true
  wait "$1" 2> /dev/null || true
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

# The first program starts Wine's desktop process: start Notepad once so that neither
# program of the runs pays for that.
start_program "$notepad_exe" 'Notepad'
sleep 2
stop_program "$pid"

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
# Starts a Tidewell build ($1) and stops it once settled: sets shown_ms and kib.
time_tidewell() {
  start_program "$1" '^Tidewell$'
  sleep 3 # settled
  kib=$(private_kib tidewell.exe)
  stop_program "$pid"
}
# The start of each program: wall and processor milliseconds until its window showed.
printf '%-4s %-9s %-9s %-9s %-8s %-8s %-8s %-7s %-7s %-13s %-7s' run tidewell notepad floor \
  tw_cpu np_cpu fl_cpu tw/np tw/fl tidewell_KiB np_diff
[ -z "$baseline" ] || printf ' %-9s %-7s %-12s' baseline tw/base baseline_KiB
echo ' load'  # the one-minute load average after the run
tidewell_all=() notepad_all=() floor_all=() ratios=() floor_ratios=()
tidewell_cpu=() notepad_cpu=() floor_cpu=()
for run in $(seq 1 "$runs"); do
  if [ -n "$baseline" ]; then
    time_tidewell "$baseline"
    baseline_ms=$shown_ms baseline_kib=$kib
  fi
  # Each goes first in every third run: the one that follows may find more of Wine warm.
  for turn in $((run % 3)) $(((run + 1) % 3)) $(((run + 2) % 3)); do
    case $turn in
      0)
        time_tidewell "$exe"
        tidewell_ms=$shown_ms tidewell_kib=$kib tw_cpu=$shown_cpu_ms
        ;;
      1)
        start_program "$notepad_exe" 'Notepad'
        notepad_ms=$shown_ms np_cpu=$shown_cpu_ms
        sleep 3
        notepad_kib=$(private_kib notepad.exe)
        stop_program "$pid"
        ;;
      2)
        start_program "$floor_exe" '^Floor$'
        floor_ms=$shown_ms fl_cpu=$shown_cpu_ms
        sleep 1
        stop_program "$pid"
        ;;
    esac
  done
  tidewell_all+=("$tidewell_ms") notepad_all+=("$notepad_ms") floor_all+=("$floor_ms")
  tidewell_cpu+=("$tw_cpu") notepad_cpu+=("$np_cpu") floor_cpu+=("$fl_cpu")
  ratios+=("$(ratio "$tidewell_ms" "$notepad_ms")")
  floor_ratios+=("$(ratio "$tidewell_ms" "$floor_ms")")
  printf '%-4s %-9s %-9s %-9s %-8s %-8s %-8s %-7s %-7s %-13s %+-7d' "$run" "$tidewell_ms" \
    "$notepad_ms" "$floor_ms" "$tw_cpu" "$np_cpu" "$fl_cpu" \
    "$(ratio "$tidewell_ms" "$notepad_ms")" "$(ratio "$tidewell_ms" "$floor_ms")" \
    "$tidewell_kib" $((tidewell_kib - notepad_kib))
  [ -z "$baseline" ] || printf ' %-9s %-7s %-12s' "$baseline_ms" \
    "$(ratio "$tidewell_ms" "$baseline_ms")" "$baseline_kib"
  echo " $(cut -d' ' -f1 /proc/loadavg)"
done
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
fastest() { printf '%s\n' "$@" | sort -n | head -n1; }
# How far the ratio of two medians ($1 over $2, each a space-separated list of the runs'
# figures) may move with the runs' own spread: the middle 95 % of that ratio over 2,000
# resamples of the runs. An interval that holds 1 means these runs cannot tell the two apart.
interval() {
  awk -v a="$1" -v b="$2" '
    function median(v, n,   i, j, t) {
      for (i = 2; i <= n; i++)
        for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
      return v[int((n + 1) / 2)]
    }
    BEGIN {
      srand(1)
      na = split(a, va, " "); nb = split(b, vb, " ")
      for (k = 1; k <= 2000; k++) {
        for (i = 1; i <= na; i++) ra[i] = va[int(rand() * na) + 1]
        for (i = 1; i <= nb; i++) rb[i] = vb[int(rand() * nb) + 1]
        r[k] = median(ra, na) / median(rb, nb)
      }
      median(r, 2000)
      printf "%.2f-%.2f", r[50], r[1951]
    }'
}
medians() {
  local t n f
  t=$(median "${tidewell_all[@]}") n=$(median "${notepad_all[@]}") f=$(median "${floor_all[@]}")
  echo "start to window shown, median: tidewell $t ms, notepad $n ms, floor $f ms;" \
    "tidewell to notepad $(ratio "$t" "$n"), to the floor $(ratio "$t" "$f")"
  # The fastest run is each program's own cost with the least of the machine's interference.
  t=$(fastest "${tidewell_all[@]}") n=$(fastest "${notepad_all[@]}") f=$(fastest "${floor_all[@]}")
  echo "start to window shown, fastest: tidewell $t ms, notepad $n ms, floor $f ms;" \
    "tidewell to notepad $(ratio "$t" "$n"), to the floor $(ratio "$t" "$f")"
  echo "median of the runs' ratios: tidewell to notepad $(median "${ratios[@]}")," \
    "to the floor $(median "${floor_ratios[@]}")"
  echo "95 % interval of the ratio of the medians over these runs: tidewell to notepad" \
    "$(interval "${tidewell_all[*]}" "${notepad_all[*]}"), to the floor" \
    "$(interval "${tidewell_all[*]}" "${floor_all[*]}"); floor to notepad" \
    "$(interval "${floor_all[*]}" "${notepad_all[*]}")"
  t=$(median "${tidewell_cpu[@]}") n=$(median "${notepad_cpu[@]}") f=$(median "${floor_cpu[@]}")
  echo "processor time until shown (program and wineserver), median: tidewell $t ms," \
    "notepad $n ms, floor $f ms; tidewell to notepad $(ratio "$t" "$n"), to the floor" \
    "$(ratio "$t" "$f"); 95 % intervals: to notepad" \
    "$(interval "${tidewell_cpu[*]}" "${notepad_cpu[*]}"), to the floor" \
    "$(interval "${tidewell_cpu[*]}" "${floor_cpu[*]}")"
}
medians
echo "starts that ended before their window showed, started again: $failed_starts"

# Wine's server requests from a start until the window showed, counted in the server's own
# trace: the work of a start, which the machine's load does not change, and so a comparison
# that needs no interval. The server is started again with its trace on for these starts
# alone (tracing slows every request), then again without it.
restart_wineserver() {
  wineserver -k 2> /dev/null || true
  wineserver -w
  wineserver -p "$@" 2>> "$work/server.trace"
  "$runner" "$hold_exe" > /dev/null 2>&1 &
  pids+=("$!")
  disown "$!"
  server=$(own_wineserver)
  start_program "$notepad_exe" 'Notepad'
  sleep 2
  stop_program "$pid"
}
# Starts $1 (its window titled $2, of the window class $3, with the arguments after those) and
# prints how many requests the server answered, from any process, from the start until that
# window was shown.
requests_until_shown() {
  local before
  before=$(wc -l < "$work/server.trace")
  start_program "$1" "$2" "${@:4}"
  sleep 1
  stop_program "$pid"
  tail -n +"$((before + 1))" "$work/server.trace" | awk -v class="$3" '
    function digit(d) { return index("0123456789abcdef", d) - 1 }
    shown { next } # read to the end: a reader that left early would fail the pipe
    /^[0-9a-f]+: [a-z_]+\( / {
      n++
      thread = $1
      if ($2 == "create_window(" && index($0, "class=L\"" class "\"") && window == "")
        asked[thread] = 1
      # The window is shown by a move that carries SWP_SHOWWINDOW (0x40).
      if ($2 == "set_window_pos(" && window != "" && index($0, "handle=" window ",")) {
        match($0, /swp_flags=[0-9a-f]+/)
        flags = substr($0, RSTART + 10, RLENGTH - 10)
        if (int(digit(substr(flags, length(flags) - 1, 1)) / 4) % 2) { print n; shown = 1 }
      }
      next
    }
    $2 == "create_window()" && asked[$1] {
      match($0, /handle=[0-9a-f]+/)
      window = substr($0, RSTART + 7, RLENGTH - 7)
      asked[$1] = 0
    }
    END { if (!shown) print "-" }'
}
: > "$work/server.trace"
restart_wineserver -d1
tw_requests=() np_requests=() fl_requests=() flt_requests=() base_requests=()
for _ in 1 2 3; do
  [ -z "$baseline" ] ||
    base_requests+=("$(requests_until_shown "$baseline" '^Tidewell$' TidewellMainWindow)")
  tw_requests+=("$(requests_until_shown "$exe" '^Tidewell$' TidewellMainWindow)")
  np_requests+=("$(requests_until_shown "$notepad_exe" 'Notepad' Notepad)")
  fl_requests+=("$(requests_until_shown "$floor_exe" '^Floor$' FloorWindow)")
  flt_requests+=("$(requests_until_shown "$floor_exe" '^Floor$' FloorWindow --tray)")
done
t=$(median "${tw_requests[@]}") n=$(median "${np_requests[@]}") f=$(median "${fl_requests[@]}")
echo "server requests from the start until the window showed (Wine's trace, median of 3):" \
  "tidewell $t, notepad $n, floor $f; tidewell to notepad $(ratio "$t" "$n"), to the floor" \
  "$(ratio "$t" "$f"); floor to notepad $(ratio "$f" "$n")"
t2=$(median "${flt_requests[@]}")
echo "server requests until shown, the floor with a tray icon: $t2; tidewell to it $(ratio "$t" "$t2")"
[ -z "$baseline" ] || echo "server requests until shown, baseline: $(median "${base_requests[@]}")"
[ -z "${TIDEWELL_BENCH_START_ONLY:-}" ] || exit 0
# The processor-time phases below, on a server without its trace.
restart_wineserver

# Notepad first, so that Tidewell's window lies above it, uncovered.
start_program "$notepad_exe" 'Notepad'
notepad=$pid
start_program "$exe" '^Tidewell$'
tidewell=$pid tidewell_win=$win
sleep 2
# Tidewell's, Notepad's, the counting floor's (0 when it is not running) and the wineserver's
# processor time over one phase, as four numbers.
floor_pid=
phase() {
  local t0 n0 f0=0 w0 f1=0
  t0=$(cpu_ns "$tidewell") n0=$(cpu_ns "$notepad") w0=$(cpu_ns "$server")
  [ -z "$floor_pid" ] || f0=$(cpu_ns "$floor_pid")
  sleep "$seconds"
  [ -z "$floor_pid" ] || f1=$(cpu_ns "$floor_pid")
  echo "$(($(cpu_ns "$tidewell") - t0)) $(($(cpu_ns "$notepad") - n0)) $((f1 - f0))" \
    "$(($(cpu_ns "$server") - w0))"
}
report() {
  awk -v what="$1" -v t="$2" -v n="$3" -v f="$4" -v w="$5" -v s="$seconds" 'BEGIN {
    printf "%s: %d s, Tidewell %.1f ms of CPU (%.4f%% of one core), Notepad idle %.1f ms, ratio %s",
      what, s, t / 1e6, t / (s * 1e7), n / 1e6, (n > 0 ? sprintf("%.2f", t / n) : "-")
    if (f > 0)
      printf "; floor_window --count beside it %.1f ms (%.4f%%), ratio Tidewell/floor %.2f",
        f / 1e6, f / (s * 1e7), t / f
    printf "; wineserver %.1f ms\n", w / 1e6 }'
}
report "monitoring off" $(phase)
# "Turn On" lies at 120, 120 twips, 7800 x 405: its middle is at 268, 21 pixels.
xdotool mousemove --window "$tidewell_win" 268 21 click 1
# Off the window again: under the pointer, a button has Wine poll the pointer ten times a
# second to learn when it leaves (Windows itself is told), which is no cost of Tidewell's.
xdotool mousemove 0 0
start_program "$floor_exe" '^Floor$' --count
floor_pid=$pid
sleep 2
report "monitoring on, window shown" $(phase)
stop_program "$floor_pid"
floor_pid=
# Minimising hides the window in the tray; the balloon that says so stays 5 s.
xdotool windowminimize "$tidewell_win"
sleep 6
report "monitoring on, hidden in the tray" $(phase)
stop_program "$notepad"
stop_program "$tidewell"
