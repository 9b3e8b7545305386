#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running, testing and packaging the
# editor need.
# Installs only what is missing (tools/install-packages.sh).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-translations-l10n qt6-tools-dev qt6-l10n-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libinih-dev libsimpleini-dev
  fonts-liberation fonts-dejavu-core
  dpkg-dev file lintian appstream desktop-file-utils xvfb xdotool xclip
  dbus-daemon at-spi2-core python3-pyatspi
  clang libclang-rt-14-dev
  wine64 gcc-mingw-w64-x86-64
  clang-format clang-tidy libx11-dev valgrind
)

exec "$(dirname "$0")/install-packages.sh" "${packages[@]}"
