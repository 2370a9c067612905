#!/usr/bin/env bash
# Runs every benchmark program of the build tree and prints their reports; a benchmark that
# fails is named at the end and makes the run fail, after the others have run.
set -uo pipefail
build=${1:-build}
failed=()
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || failed+=("$(basename "$b")")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]}" >&2
  exit 1
fi
