#!/usr/bin/env bash
# Runs a command as the first process of a private PID namespace with its own /proc, so that
# whatever it ends can only be its own descendants. Needs root; exits 77 (skipped) otherwise.
# Usage: in-pid-namespace.sh command args...
if ! unshare --pid --fork --mount-proc true 2> /dev/null; then
  echo "skipped: a private PID namespace needs root (unshare --pid)"
  exit 77
fi
exec unshare --pid --fork --mount-proc "$@"
