#!/usr/bin/env bash
# Runs a Windows program inside the test run's Wine session (see wine-session.sh).
# Usage: in-wine.sh <session directory> <program.exe|wine built-in|script.sh> args...
# A script runs as it is, with the session's environment and WINE_RUN naming the runner.
set -euo pipefail
dir=$1
shift
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all
DISPLAY=$(cat "$dir/display")
export DISPLAY
WINE_RUN="$(cd "$(dirname "$0")/../../.." && pwd)/cmake/toolchain/wine-run.sh"
export WINE_RUN
case "$1" in
  *.sh) exec "$@" ;;
  *) exec "$WINE_RUN" "$@" ;;
esac
