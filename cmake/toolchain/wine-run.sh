#!/usr/bin/env bash
# Runs a Windows program (or a Wine built-in such as `reg`) under Wine.
# A 64-bit program goes straight to the 64-bit loader: Debian's `wine` starts every program
# through the 32-bit loader, which cannot run where the kernel executes no 32-bit code.
# A 32-bit program on such a machine is skipped with 77 (CTest's SKIP_RETURN_CODE): Wine's
# 64-bit loader alone fails on it yet exits 0, which would pass for success.
set -euo pipefail

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree,mshtml=d}"

loader32=/usr/lib/wine/wine
loader64=/usr/lib/wine/wine64
[ -x "$loader64" ] || loader64=$(command -v wine64 || true)

# PE32+ (64-bit) or PE32 (32-bit), from the optional header's magic number.
pe_kind() {
  local offset magic
  offset=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ') || return 1
  magic=$(od -An -t x2 -j $((offset + 24)) -N 2 "$1" 2>/dev/null | tr -d ' ') || return 1
  case "$magic" in 020b) echo 64 ;; 010b) echo 32 ;; *) return 1 ;; esac
}

# `wine-run.sh --can-run program.exe` only tells (0 or 77) whether the program could run.
check_only=
if [ "${1:-}" = --can-run ]; then
  check_only=1
  shift
fi
kind=64
if [ -f "${1:-}" ]; then
  kind=$(pe_kind "$1") || kind=64
fi
if [ "$kind" = 64 ] && [ -n "$loader64" ]; then
  [ -n "$check_only" ] && exit 0
  export WINELOADER="$loader64"
  exec "$loader64" "$@"
fi
if "$loader32" --version > /dev/null 2>&1; then
  [ -n "$check_only" ] && exit 0
  exec "$loader32" "$@"
fi
echo "wine-run: 32-bit Windows programs cannot run on this machine (no 32-bit Wine loader runs here)" >&2
exit 77
