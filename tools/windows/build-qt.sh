#!/usr/bin/env bash
# Cross-builds Qt's Core, Gui and Widgets for 64-bit Windows from Debian's own
# qt6-base source package, once: the result is cached outside the clone in a folder
# named after Qt's version and a hash of the options and the toolchain file, and
# later runs only print its path. Prints the install folder on its last line; the
# windows preset (CMakePresets.json) takes it as VUKA_WINDOWS_QT.
# VUKA_CACHE_DIR chooses the cache (default: ~/.cache/vuka-manager).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
qt_version=6.4.2
toolchain="$here/mingw-w64-toolchain.cmake"
options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF
  -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_androiddeployqt=OFF -DFEATURE_tabletevent=OFF -DFEATURE_direct2d1_1=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
  -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_testlib=ON
)
key="$( (printf '%s\n' "${options[@]}"; cat "$toolchain") | sha256sum | cut -c1-12)"
cache="${VUKA_CACHE_DIR:-$HOME/.cache/vuka-manager}"
prefix="$cache/qt-$qt_version-mingw64-$key"
# One cross build at a time: a second caller waits, then finds the cache.
mkdir -p "$cache"
exec 9>"$cache/.qt-build.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
  echo "Qt $qt_version for Windows: cached in $prefix"
  echo "$prefix"
  exit 0
fi

work="$cache/qt-$qt_version-mingw64-$key.build"
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/apt/parts"
echo "deb-src http://deb.debian.org/debian bookworm main" > "$work/apt/parts/src.list"
apt_opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/apt/parts"
          -o "Dir::State::Lists=$work/apt/lists")
apt-get "${apt_opts[@]}" update -qq
(cd "$work" && apt-get "${apt_opts[@]}" source --download-only qt6-base >/dev/null)
ls "$work"/qt6-base_"$qt_version"+*.dsc >/dev/null  # the release this cache is keyed by
(cd "$work" && dpkg-source -x qt6-base_*.dsc src >/dev/null)
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >"$work/configure.log"
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build" >/dev/null
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
