#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tidewell need.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libx11-dev libxres-dev libglib2.0-dev
  libgtest-dev libbenchmark-dev clang-format ccache
  xvfb xauth openbox trayer xdotool wmctrl x11-utils x11-apps xterm xclip procps
  fonts-liberation imagemagick desktop-file-utils tzdata faketime
  dbus dpkg-dev lintian appstream man-db
  qt6-wayland sway xwayland x11-xserver-utils kwin-wayland
  # What a screen reader sees of the window.
  at-spi2-core python3-pyatspi
  # A desktop notification server, for the notifications of failed firings.
  dunst
  # The Windows edition: cross compilers (posix threads), Wine to test it, the installer.
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest
  wine wine64 wine32:i386 nsis tint2 zip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Tidewell needs these Debian packages: ${missing[*]}" >&2
  echo "Install them as root, then run this again:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}"
