#!/usr/bin/env bash
# Each executable imports only DLLs that come with Windows: linked statically, it needs no
# MinGW runtime (libstdc++, libgcc, libwinpthread) beside it.
# With --not-imported, those DLLs (a comma-separated list) must not be imported either: they
# are loaded when first needed, and an import would make every start load them.
# Usage: check_imports.sh <objdump> [--not-imported dll,...] <exe>...
set -euo pipefail
objdump=$1
shift
later=
if [ "${1:-}" = --not-imported ]; then
  later=$(echo "$2" | tr '[:upper:]' '[:lower:]' | tr ',' '\n')
  shift 2
fi
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|oleacc|comctl32|comdlg32|uxtheme|shlwapi|msvcrt|ws2_32|version|winmm|dwmapi|shcore|api-ms-win-[a-z0-9-]+)\.dll$'
status=0
for exe in "$@"; do
  [ -n "$exe" ] || continue # an executable this tree does not build
  dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  [ -n "$dlls" ] || { echo "$exe: no import table found" >&2; status=1; continue; }
  echo "$(basename "$exe"): $(echo "$dlls" | tr '\n' ' ')"
  while read -r dll; do
    name=$(echo "$dll" | tr '[:upper:]' '[:lower:]')
    if ! echo "$name" | grep -Eq "$allowed"; then
      echo "$exe imports $dll, which Windows does not provide" >&2
      status=1
    fi
    if [ -n "$later" ] && echo "$later" | grep -qxF "$name"; then
      echo "$exe imports $dll, which it should load only when first needed" >&2
      status=1
    fi
  done <<< "$dlls"
done
exit $status
