#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Lexalon needs to build, test and run.
# Only what is missing is installed, so a prepared machine pays nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-translations-l10n
  qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
  libquazip1-qt6-dev qt6-5compat-dev
  libxml2-dev libpoppler-qt6-dev
  qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra fontconfig
  xvfb xauth xdotool imagemagick x11-utils poppler-utils
  python3 python3-gi gir1.2-atspi-2.0 at-spi2-core dbus-daemon
  clang libclang-rt-14-dev
  cups printer-driver-cups-pdf
  g++-mingw-w64-x86-64 wine wine64
  desktop-file-utils appstream man-db dpkg-dev file time
  ccache
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
