#!/usr/bin/env bash
# After a Windows tree's tests ran under Wine: its tests may be skipped (77) only where Wine
# cannot run its programs (a 32-bit build on a kernel without 32-bit support). Where Wine can,
# a skip would hide a suite that never ran, so it fails instead.
# Usage: check-wine-skips.sh <Windows build tree> <JUnit results written by ctest>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$1
results=$2

skipped=$(grep -o -m1 'skipped="[0-9]*"' "$results" | tr -dc 0-9)
[ "${skipped:-0}" -eq 0 ] && exit 0

probe=$(find "$tree" -name '*.exe' -path '*tests*' -print -quit)
names=$(grep -B1 '<skipped' "$results" | grep -o 'testcase name="[^"]*"' | cut -d'"' -f2 | tr '\n' ' ')
if [ -n "$probe" ] && "$root/cmake/toolchain/wine-run.sh" --can-run "$probe" 2> /dev/null; then
  echo "FAIL: $tree: Wine runs these programs here, yet $skipped tests were skipped: $names" >&2
  exit 1
fi
echo "== $tree: $skipped tests skipped, since Wine cannot run these programs here: $names"
