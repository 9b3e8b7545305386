#!/usr/bin/env bash
# Installs the Debian 12 packages that cross-building the editor for Windows,
# packing it and testing it under Wine need (tools/build-windows.sh, tools/windows/).
# Installs only what is missing (tools/install-packages.sh).
set -euo pipefail

packages=(
  cmake ninja-build dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-tools-dev qt6-l10n-tools
  googletest
  nsis unzip
  wine64 fonts-wine xvfb xdotool
)

exec "$(dirname "$0")/../install-packages.sh" "${packages[@]}"
