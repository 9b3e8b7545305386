#!/usr/bin/env bash
# Installs what is missing, builds the project and runs the whole test suite twice:
# once plain and once under AddressSanitizer and UndefinedBehaviorSanitizer; between
# the two, the style gate (tools/check-style.sh: clang-format and clang-tidy) checks
# the sources with the plain build's compile commands; then runs each fuzz target for
# 30 seconds (tools/fuzz.sh), and builds the Debian package from the plain build and
# checks it (tools/check-package.sh).
# VUKA_TEST_CONFIGS="plain" (or "style", or "sanitize") runs only that step.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
jobs="$(nproc)"
configs="${VUKA_TEST_CONFIGS:-plain style sanitize}"

for config in $configs; do
  case "$config" in
    style)
      echo "== Style gate"
      "$root/tools/check-style.sh" "$root/build"
      continue ;;
    plain)    dir="$root/build"; flags=(-DVUKA_SANITIZE=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON) ;;
    sanitize) dir="$root/build-sanitize"; flags=(-DVUKA_SANITIZE=ON -DVUKA_BUILD_BENCH=OFF) ;;
    *) echo "unknown configuration: $config" >&2; exit 2 ;;
  esac
  echo "== Building ($config)"
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${flags[@]}" >/dev/null
  cmake --build "$dir" --parallel "$jobs"
  echo "== Testing ($config)"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure --timeout 120 -j "$jobs"
done
"$root/tools/fuzz.sh"
"$root/tools/check-package.sh"
