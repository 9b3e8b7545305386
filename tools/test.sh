#!/usr/bin/env bash
# Installs what is missing and runs every check, each a workflow of CMakePresets.json
# (configure, build, test) or a script:
#   dev       the plain build and its tests (build/)
#   style     the style gate (tools/check-style.sh: clang-format, test body size,
#             clang-tidy with the dev and windows presets' compile commands)
#   sanitize  the build and its tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   windows   the Windows build, its suites under Wine and its zip and installer, then
#             the packed program under Wine (tools/windows/test-windows.sh); the first
#             run cross-builds Qt into a cache (tools/windows/build-qt.sh)
# and then, always, runs each fuzz target for 30 seconds (tools/fuzz.sh) and builds
# the Debian package from the plain build and checks it (tools/check-package.sh).
# The Windows toolkit is the longest step on a fresh machine: when it is not cached,
# it is cross-built in the background, at a lower priority, from the start, and the
# style gate and the Windows build wait for it.
# Prints each step's time, and all of them at the end.
# VUKA_TEST_CONFIGS chooses the steps before the fuzzing and the package check
# (default "dev sanitize style windows"; "plain" is "dev").
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
configs="${VUKA_TEST_CONFIGS:-dev sanitize style windows}"
durations=()
# The compiler cache (see CMakeLists.txt) shares objects between clones and build
# folders: paths inside the clone are hashed relative to it.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}"
# The same run whatever locale the caller has (CI may set none): Wine turns Windows
# file names into Unix ones through the locale's character set, so a Cyrillic name
# needs UTF-8, and xdotool matches window captions as text of the locale.
export LC_ALL=C.UTF-8
cd "$root"

# Runs a step and notes how long it took.
timed() {
  local name="$1" start=$SECONDS
  shift
  echo "== $name"
  "$@"
  durations+=("$(printf '%5d s  %s' $((SECONDS - start)) "$name")")
  echo "-- $name: $((SECONDS - start)) s"
}

# The windows preset (and the style gate, which reads its compile commands) needs
# the cross-built Qt: made once into the cache, then only looked up. It starts in
# the background; windows_qt waits for it.
qt_log="$root/build-windows/build-qt.log"
qt_pid=""
start_windows_qt() {
  "$root/tools/windows/install-deps.sh"
  mkdir -p "$root/build-windows"
  # Its own process group, so that a failing step stops the whole cross-build.
  setsid bash -c 'nice -n 10 "$1" >"$2" 2>&1 && echo "-- Qt for Windows (in the background): $SECONDS s" >>"$2"' \
    _ "$root/tools/windows/build-qt.sh" "$qt_log" &
  qt_pid=$!
  trap 'kill -- "-$qt_pid" 2>/dev/null || true' EXIT
}
windows_qt() {
  [ -z "${VUKA_WINDOWS_QT:-}" ] || return 0
  if ! wait "$qt_pid"; then
    tail -n 30 "$qt_log" >&2
    echo "cross-building Qt for Windows failed; the whole log is $qt_log" >&2
    return 1
  fi
  tail -n 1 "$qt_log" | sed 's/^-- //'
  VUKA_WINDOWS_QT="$(tail -n 2 "$qt_log" | head -n 1)"
  export VUKA_WINDOWS_QT
}

total_start=$SECONDS
timed "install" "$root/tools/install-deps.sh"
case " $configs " in
  *" style "* | *" windows "*)
    [ -n "${VUKA_WINDOWS_QT:-}" ] || timed "install for Windows, Qt started" start_windows_qt ;;
esac
for config in $configs; do
  case "$config" in
    plain | dev) timed "dev: build and tests" cmake --workflow --preset dev ;;
    sanitize) timed "sanitize: build and tests" cmake --workflow --preset sanitize ;;
    style)
      timed "wait for Qt for Windows" windows_qt
      timed "style gate" "$root/tools/check-style.sh" ;;
    windows)
      timed "wait for Qt for Windows" windows_qt
      timed "windows: build, suites under Wine, zip and installer" cmake --workflow --preset windows
      timed "windows: the packed program under Wine" "$root/tools/windows/test-windows.sh" ;;
    *) echo "unknown configuration: $config" >&2; exit 2 ;;
  esac
done
timed "fuzzing" "$root/tools/fuzz.sh"
timed "package check" "$root/tools/check-package.sh"
echo "== Times"
printf '%s\n' "${durations[@]}"
echo "$(printf '%5d s' $((SECONDS - total_start)))  all"
