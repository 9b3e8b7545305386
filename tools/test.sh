#!/usr/bin/env bash
# Installs what is missing, builds the project and runs the whole test suite twice:
# once plain and once under AddressSanitizer and UndefinedBehaviorSanitizer; between
# the two, the style gate (tools/check-style.sh: clang-format and clang-tidy) checks
# the sources with the plain build's compile commands; then cross-builds the Windows
# program and tests it under Wine (tools/windows/test-windows.sh: the first run
# cross-builds Qt into a cache, later runs reuse it), runs each fuzz target for 30
# seconds (tools/fuzz.sh), and builds the Debian package from the plain build and
# checks it (tools/check-package.sh). Prints each step's time, and all of them at the end.
# VUKA_TEST_CONFIGS="plain" (or "style", "sanitize", "windows") runs only that step
# before the fuzzing and the package check.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
configs="${VUKA_TEST_CONFIGS:-plain style sanitize windows}"
durations=()
# The compiler cache (see CMakeLists.txt) shares objects between clones and build
# folders: paths inside the clone are hashed relative to it.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1

# Runs a step and notes how long it took.
timed() {
  local name="$1" start=$SECONDS
  shift
  "$@"
  durations+=("$(printf '%5d s  %s' $((SECONDS - start)) "$name")")
  echo "-- $name: $((SECONDS - start)) s"
}

build_and_test() {
  local config="$1" dir="$2"
  shift 2
  echo "== Building ($config)"
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  timed "build ($config)" cmake --build "$dir" --parallel "$jobs"
  echo "== Testing ($config)"
  timed "tests ($config)" env QT_QPA_PLATFORM=offscreen \
    ctest --test-dir "$dir" --output-on-failure --timeout 120 -j "$jobs"
}

total_start=$SECONDS
timed "install" "$root/tools/install-deps.sh"
for config in $configs; do
  case "$config" in
    style)
      echo "== Style gate"
      timed "style gate" "$root/tools/check-style.sh" "$root/build" ;;
    plain) build_and_test plain "$root/build" -DVUKA_SANITIZE=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON ;;
    sanitize) build_and_test sanitize "$root/build-sanitize" -DVUKA_SANITIZE=ON -DVUKA_BUILD_BENCH=OFF ;;
    windows)
      echo "== Windows build under Wine"
      timed "Windows build and tests" "$root/tools/windows/test-windows.sh" ;;
    *) echo "unknown configuration: $config" >&2; exit 2 ;;
  esac
done
timed "fuzzing" "$root/tools/fuzz.sh"
timed "package check" "$root/tools/check-package.sh"
echo "== Times"
printf '%s\n' "${durations[@]}"
echo "$(printf '%5d s' $((SECONDS - total_start)))  all"
