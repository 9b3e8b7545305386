#!/usr/bin/env bash
# The style gate: fails on any clang-format difference in the git-tracked C++ files
# and on any clang-tidy finding (the tree's .clang-tidy) in the C++ sources of src/,
# tests/ and bench/. Headers are checked through the sources that include them.
# Usage: tools/check-style.sh [BUILD_DIR]
#   BUILD_DIR  a build folder of this tree (default build/); it is configured with
#              compile commands, and its generated sources (moc, uic) are made first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build}")"
jobs="$(nproc)"
cd "$root"
failed=0

mapfile -t cxx_files < <(git ls-files -- '*.cpp' '*.h')
echo "== clang-format: ${#cxx_files[@]} files"
if ! clang-format --dry-run --Werror "${cxx_files[@]}"; then
  echo "clang-format: run clang-format -i on the files above" >&2
  failed=1
fi

echo "== clang-tidy"
cmake -S "$root" -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The sources include headers that the build generates (moc, uic): make only those.
mapfile -t autogen < <(cmake --build "$build" --target help | grep -oE '[A-Za-z0-9_.+-]+_autogen\b' | sort -u)
if [ ${#autogen[@]} -gt 0 ]; then
  cmake --build "$build" --parallel "$jobs" --target "${autogen[@]}" >/dev/null
fi
# Only the tree's own sources: generated files live in the build folder.
if ! run-clang-tidy -quiet -j "$jobs" -p "$build" "^$root/(src|tests|bench)/" >"$build/clang-tidy.log" 2>&1; then
  sed 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log" | grep -E '(warning|error): ' | sort -u >&2 || true
  echo "clang-tidy: findings above; the full log is $build/clang-tidy.log" >&2
  failed=1
fi

if [ "$failed" -ne 0 ]; then
  echo "== style gate FAILED" >&2
  exit 1
fi
echo "== style gate passed"
