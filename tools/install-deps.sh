#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running, testing and packaging the
# editor need.
# Runs apt-get only when something is missing; uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libinih-dev libsimpleini-dev
  fonts-liberation fonts-dejavu-core
  dpkg-dev file lintian appstream desktop-file-utils xvfb xdotool xclip
  clang libclang-rt-14-dev
  wine64 gcc-mingw-w64-x86-64
  clang-format clang-tidy libx11-dev valgrind
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
