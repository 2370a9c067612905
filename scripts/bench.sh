#!/usr/bin/env bash
# Runs every benchmark of the build tree and prints their reports.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
