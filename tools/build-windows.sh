#!/usr/bin/env bash
# Cross-builds the editor for 64-bit Windows on Debian 12 and packs it into
# build-windows/:
#   vuka-manager-1.0-win64.zip   a folder that runs as it is: the program, Qt's
#                                and the compiler's run-time DLLs, the Windows
#                                platform and style plug-ins, Qt's Russian
#                                translations and the catalogue version.ini
#   vuka-manager-1.0-setup.exe   an installer made with NSIS
# and the engine and model suites (run under Wine by tools/windows/test-windows.sh).
# Installs what is missing first; Qt is cross-built once into a cache outside the
# clone (tools/windows/build-qt.sh, VUKA_CACHE_DIR), GoogleTest into build-windows/.
# VUKA_WINDOWS_UI=OFF builds only the engine, the model and their suites, without Qt.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-windows"
toolchain="$root/tools/windows/mingw-w64-toolchain.cmake"
jobs="$(nproc)"
with_ui="${VUKA_WINDOWS_UI:-ON}"
version="$(sed -n 's/^project(vuka_manager VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
mkdir -p "$out"

"$root/tools/windows/install-deps.sh"

# Qt: once, into the cache; one cross build at a time.
configure_args=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
if [ "$with_ui" = ON ]; then
  cache="${VUKA_CACHE_DIR:-$HOME/.cache/vuka-manager}"
  mkdir -p "$cache"
  qt="$(flock "$cache/.qt-build.lock" "$root/tools/windows/build-qt.sh" | tail -n 1)"
  [ -f "$qt/.complete" ] || { echo "Qt for Windows was not built: $qt" >&2; exit 1; }
  configure_args=(-DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake")
fi

# GoogleTest from Debian's source, with the same compilers.
gtest="$out/googletest"
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "== GoogleTest for Windows"
  cmake -S /usr/src/googletest -B "$out/googletest-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
  cmake --build "$out/googletest-build" --parallel "$jobs"
  cmake --install "$out/googletest-build" >/dev/null
fi

echo "== Building for Windows"
# -Wno-restrict: GCC 12 warns falsely inside std::string's concatenation when
# it inlines it (GCC bug 105329); the Linux build keeps the warning.
cmake -S "$root" -B "$out/build" -G Ninja "${configure_args[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="-Wno-restrict" \
  -DVUKA_BUILD_UI="$with_ui" -DVUKA_BUILD_BENCH=OFF -DGTest_DIR="$gtest/lib/cmake/GTest" >/dev/null
cmake --build "$out/build" --parallel "$jobs"
[ "$with_ui" = ON ] || exit 0

echo "== Packing"
"$root/tools/windows/pack.sh" "$out/build" "$qt" "$out" "$version"
