# Checks of the command line for scripts, shared by the X11 and the Wine test; source this
# file after defining fail and cmd (runs the program with the given arguments, sets rc and
# leaves its standard output in $out and its errors in $err). The stored schedule is Daily at
# 07:30:00, and write_journal has written the journal.

# The value of a "key: value" line of the last output.
value() { sed -n "s/^$1: //p" "$out"; }

# Three rows, "Row 1" to "Row 3", into the journal file $1.
write_journal() {
  mkdir -p "$(dirname "$1")"
  printf '2026-01-0%dT09:00:00+00:00\t1/%d/2026 9:00:00 AM\tRow %d\n' 1 1 1 2 2 2 3 3 3 > "$1"
}

# With no copy running the questions are answered from the stored settings and the journal.
check_questions_without_copy() {
  cmd --status
  [ $rc -eq 0 ] || fail "--status with no copy ended with $rc: $(cat "$err")"
  [ "$(value monitoring)" = off ] && [ "$(value schedule)" = "daily 07:30:00" ] &&
    [ "$(value next)" = none ] || fail "--status with no copy printed: $(cat "$out")"
  cmd --history 2
  [ $rc -eq 0 ] && [ "$(cut -f3 "$out" | tr '\n' ,)" = "Row 2,Row 3," ] ||
    fail "--history 2 with no copy ended with $rc, printed: $(cat "$out")"
}

# --turn-on, and --status tells the next firing, at 07:30:00, and the seconds to it. $1 says
# how the copy is reached.
check_turn_on() {
  cmd --turn-on
  [ $rc -eq 0 ] || fail "$1: --turn-on ended with $rc: $(cat "$err")"
  cmd --status
  [ $rc -eq 0 ] && [ "$(value monitoring)" = on ] ||
    fail "$1: --status after --turn-on: $(cat "$out") $(cat "$err")"
  [ "$(value schedule)" = "daily 07:30:00" ] || fail "$1: schedule: $(cat "$out")"
  local next seconds
  next=$(value next) seconds=$(value seconds-to-next)
  [[ $next == *T07:30:00* ]] || fail "$1: next is '$next'"
  [ "$seconds" -ge 0 ] && [ "$seconds" -le 86400 ] || fail "$1: seconds-to-next is '$seconds'"
  [ $(( $(date -d "$next" +%s) - $(date +%s) - seconds )) -le 5 ] ||
    fail "$1: next $next is not $seconds seconds away"
}

# --run-now starts the run list's program, which leaves the file $2, and --history 1 shows
# its row, naming $3.
check_run_now() {
  rm -f "$2"
  cmd --run-now
  [ $rc -eq 0 ] || fail "$1: --run-now ended with $rc: $(cat "$err")"
  for _ in $(seq 1 100); do [ -e "$2" ] && break; sleep 0.1; done
  [ -e "$2" ] || fail "$1: --run-now ran nothing"
  cmd --history 1
  [ $rc -eq 0 ] && [[ $(cut -f3 "$out") == *"$3"* ]] ||
    fail "$1: --history 1 after --run-now printed: $(cat "$out")"
}

# --stop, and --status says monitoring is off with nothing due.
check_stop() {
  cmd --stop
  [ $rc -eq 0 ] || fail "$1: --stop ended with $rc: $(cat "$err")"
  cmd --status
  [ $rc -eq 0 ] && [ "$(value monitoring)" = off ] && [ "$(value next)" = none ] ||
    fail "$1: --status after --stop: $(cat "$out")"
}
