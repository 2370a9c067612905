#!/usr/bin/env bash
# The per-user installer, silently under Wine: it installs the program, its Start-menu
# shortcut and its uninstall entry without administrator rights, and the uninstaller removes
# them again, with the start-at-logon entry. Run by in-wine.sh.
# Usage: installer_test.sh <program.exe> <amd64-unicode|x86-unicode>
set -euo pipefail
exe=$1
target=$2
here=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
makensis -V2 -DVERSION=0.1.0 -DEXE="$exe" -DTARGET="$target" -DOUTFILE="$work/tidewell-setup.exe" \
  "$here/packaging/windows/tidewell.nsi"

user_dir=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData | grep -v /Public/ | head -n1)
program="$user_dir/Local/Programs/Tidewell"
shortcut="$user_dir/Roaming/Microsoft/Windows/Start Menu/Programs/Tidewell.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tidewell'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
fail() { echo "installer test: $*" >&2; exit 1; }

start=$(date +%s%N)
"$WINE_RUN" "$work/tidewell-setup.exe" /S
echo "silent install: $((($(date +%s%N) - start) / 1000000)) ms"
[ -f "$program/tidewell.exe" ] || fail "no $program/tidewell.exe"
cmp -s "$exe" "$program/tidewell.exe" || fail "the installed program differs from $exe"
[ -f "$program/Uninstall.exe" ] || fail "no uninstaller"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
"$WINE_RUN" reg query "$uninstall_key" /v UninstallString | grep -q 'Uninstall.exe' ||
  fail "no uninstall entry under HKCU"

"$WINE_RUN" reg add "$run_key" /v tidewell.exe /t REG_SZ /d '"C:\x\tidewell.exe"' /f > /dev/null
start=$(date +%s%N)
"$WINE_RUN" "$program/Uninstall.exe" /S
# The uninstaller copies itself away and returns before its copy has finished.
for _ in $(seq 1 300); do
  [ ! -e "$program" ] && [ ! -e "$shortcut" ] && break
  sleep 0.1
done
echo "silent uninstall: $((($(date +%s%N) - start) / 1000000)) ms"
[ ! -e "$program" ] || fail "$program is still there: $(ls "$program")"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
! "$WINE_RUN" reg query "$uninstall_key" > /dev/null 2>&1 || fail "the uninstall entry is still there"
! "$WINE_RUN" reg query "$run_key" /v tidewell.exe > /dev/null 2>&1 ||
  fail "the start-at-logon entry is still there"
