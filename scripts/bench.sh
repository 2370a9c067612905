#!/usr/bin/env bash
# Runs every benchmark program of the build tree and prints their reports; a benchmark that
# fails is named at the end and makes the run fail, after the others have run. A second
# argument names a Windows build tree, whose program is then measured under Wine.
set -uo pipefail
build=${1:-build}
failed=()
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || failed+=("$(basename "$b")")
done
windows=${2:-}
if [ -n "$windows" ] && [ -f "$windows/tidewell.exe" ] &&
  "$(dirname "$0")/../cmake/toolchain/wine-run.sh" --can-run "$windows/tidewell.exe"; then
  echo "== bench_wine"
  "$(dirname "$0")/../bench/bench_wine.sh" "$windows" || failed+=(bench_wine)
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]}" >&2
  exit 1
fi
