#!/usr/bin/env bash
# The per-user installer, silently under Wine: it installs the program, its Start-menu
# shortcut and its uninstall entry without administrator rights, and the uninstaller removes
# them again, with the start-at-logon entry. Installer and uninstaller carry the program's
# icon. Run by in-wine.sh.
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
# A step that ends the test by its own failure says which it was (77 is a skip, not a failure).
trap 'status=$?; [ "$status" = 77 ] || echo "installer test: line $LINENO ended with $status" >&2' ERR

start=$(date +%s%N)
"$WINE_RUN" "$work/tidewell-setup.exe" /S
echo "silent install: $((($(date +%s%N) - start) / 1000000)) ms"
[ -f "$program/tidewell.exe" ] || fail "no $program/tidewell.exe"
cmp -s "$exe" "$program/tidewell.exe" || fail "the installed program differs from $exe"
[ -f "$program/Uninstall.exe" ] || fail "no uninstaller"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
"$WINE_RUN" reg query "$uninstall_key" /v UninstallString | grep -q 'Uninstall.exe' ||
  fail "no uninstall entry under HKCU"

# Each picture of the program's icon is in both executables' resources, byte for byte.
has_icon() {
  python3 - "$here/src/frontend/win32/resources/blue_q.ico" "$1" <<'PY'
import struct, sys
ico = open(sys.argv[1], 'rb').read()
exe = open(sys.argv[2], 'rb').read()
count = struct.unpack_from('<H', ico, 4)[0]
for i in range(count):
    size, offset = struct.unpack_from('<II', ico, 6 + 16 * i + 8)
    if ico[offset:offset + size] not in exe:
        sys.exit(1)
PY
}
has_icon "$work/tidewell-setup.exe" || fail "the installer does not carry the program's icon"
has_icon "$program/Uninstall.exe" || fail "the uninstaller does not carry the program's icon"

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

# Installed by hand into a folder with non-ASCII letters and blanks: the last page offers to
# start the program, ticked, and Finish starts it from there. The program (when it is the
# real one) finds "Windows Startup"="On" left by the older program with no per-user Run value
# and writes that value for itself; the older program's machine-wide value stays as it was.
folder='C:\Tidewell José Ñúñez\Programs'
unix_folder="$WINEPREFIX/drive_c/Tidewell José Ñúñez/Programs"
settings_key='HKCU\Software\VB and VBA Program Settings\Quillmark\Tidewell'
machine_run='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
real=0
[ "$(basename "$exe")" = tidewell.exe ] && real=1
if [ "$real" = 1 ]; then
  "$WINE_RUN" reg add "$settings_key" /v "Windows Startup" /t REG_SZ /d On /f > /dev/null
  "$WINE_RUN" reg add "$machine_run" /v tidewell.exe /t REG_SZ \
    /d 'C:\Program Files\Larkmoor\tidewell.exe' /reg:32 /f > /dev/null
fi
# The folder of an earlier install is offered again: so the installer is told where, as
# "/D=" cannot be (Wine quotes an argument with blanks, and NSIS takes no quoted "/D=").
LC_ALL=C.UTF-8 "$WINE_RUN" reg add "$uninstall_key" /v InstallLocation /t REG_SZ /d "$folder" \
  /f > /dev/null
"$WINE_RUN" "$work/tidewell-setup.exe" > /dev/null 2>&1 &
setup_pid=$!
cleanup() {
  kill "$setup_pid" 2> /dev/null || true
  "$WINE_RUN" taskkill /f /im tidewell.exe > /dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
# Its title ends in a blank. Nothing once it has closed (xdotool then fails, which must not end
# the test while the program it started is still on its way).
setup_window() { xdotool search --name '^Tidewell Setup' 2> /dev/null | head -n1 || true; }
started() {
  for w in $(xdotool search --name '^Tidewell' 2> /dev/null); do
    case "$(xdotool getwindowname "$w" 2> /dev/null)" in "Tidewell Setup"*) ;; *) echo "$w" ;; esac
  done | head -n1
}
for _ in $(seq 1 300); do
  [ -n "$(setup_window)" ] && break
  sleep 0.1
done
[ -n "$(setup_window)" ] || fail "the installer showed no window"
# Enter presses the default button of each page: Install, then (once copied) Finish.
for _ in $(seq 1 30); do
  [ -n "$(started)" ] && break
  w=$(setup_window)
  [ -n "$w" ] && xdotool windowactivate --sync "$w" key Return 2> /dev/null || true
  sleep 1
done
[ -n "$(started)" ] || fail "Finish on the last page did not start the program"
[ -f "$unix_folder/tidewell.exe" ] || fail "not installed into $folder"
wait "$setup_pid" || true

run_values() {
  rm -f "$WINEPREFIX/drive_c/run.reg"
  "$WINE_RUN" reg export "$1" 'C:\run.reg' ${2:-} /y > /dev/null 2>&1 || true
  iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/drive_c/run.reg" 2> /dev/null | tr -d '\r'
}
if [ "$real" = 1 ]; then
  expected="\"tidewell.exe\"=\"\\\"${folder//\\/\\\\}\\\\tidewell.exe\\\"\""
  for _ in $(seq 1 100); do
    run_values "$run_key" | grep -qxF "$expected" && break
    sleep 0.1
  done
  run_values "$run_key" | grep -qxF "$expected" ||
    fail "no per-user Run value for the program in $folder: $(run_values "$run_key")"
  run_values "$machine_run" /reg:32 | grep -qxF '"tidewell.exe"="C:\\Program Files\\Larkmoor\\tidewell.exe"' ||
    fail "the machine-wide value was changed"
  "$WINE_RUN" reg delete "$machine_run" /v tidewell.exe /reg:32 /f > /dev/null
fi
# Uninstalled while the program still runs: the uninstaller ends it first, as its own Close
# would, or its file would stay behind.
"$WINE_RUN" "$unix_folder/Uninstall.exe" /S
for _ in $(seq 1 300); do
  [ ! -e "$unix_folder" ] && break
  sleep 0.1
done
[ ! -e "$unix_folder" ] || fail "$unix_folder is still there: $(ls "$unix_folder")"
[ -z "$(started)" ] || fail "the uninstaller left the program running"
echo PASS
