#!/bin/sh
# Runs a Windows program under wine64: the windows preset's CMAKE_CROSSCOMPILING_EMULATOR,
# so that ctest --preset windows runs the suites, and the Wine tests' way to start a program.
# Usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]
# Finds the DLLs of the mingw-w64 run-time and of the cross-built Qt (VUKA_WINDOWS_QT)
# through WINEPATH, keeps Wine quiet, and makes the prefix (WINEPREFIX, by default
# build-windows/wineprefix) on its first use, once even when several programs start at once.
# A POSIX shell: bash would complain about the Russian locale that the Wine tests set
# for Wine alone.
set -eu
root="$(cd "$(dirname "$0")/../.." && pwd)"
wine64="$(command -v wine64 || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
export WINEPREFIX="${WINEPREFIX:-$root/build-windows/wineprefix}" WINEDEBUG="${WINEDEBUG:--all}"
# Wine makes Unix file names in the locale's character set: Cyrillic ones need UTF-8.
export LC_ALL="${LC_ALL:-C.UTF-8}"
# No .NET, no browser engine (their installers would ask), no debugger on a crash.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=,winedbg.exe=d}"

# Wine's drive Z: is the root of the Unix file system.
dos_path() { printf 'Z:%s' "$1" | tr / '\\'; }
gcc_runtime="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
path="$(dos_path /usr/x86_64-w64-mingw32/lib);$(dos_path "$gcc_runtime")"
[ -z "${VUKA_WINDOWS_QT:-}" ] || path="$path;$(dos_path "$VUKA_WINDOWS_QT/bin")"
export WINEPATH="$path${WINEPATH:+;$WINEPATH}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$wine64" wineboot -i >/dev/null 2>&1
      "$wineserver" -w
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec "$wine64" "$@"
