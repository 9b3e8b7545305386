#!/usr/bin/env bash
# The style gate: fails on any clang-format difference in the git-tracked C++ files;
# on any test body in tests/ longer than clang-tidy lets a function be
# (tools/check-test-size.py: clang-tidy does not measure code from the test macros);
# on QtTest's checks in the GoogleTest tests (tools/check-test-checks.sh);
# and on any clang-tidy finding (the tree's .clang-tidy files) in every git-tracked
# C++ source of src/, tests/ and bench/, and in the tree's headers they include.
# clang-tidy checks each source as a preset of CMakePresets.json compiles it: the
# sources with win32 in their path with the windows preset's compile commands
# (build-windows/build/, for the mingw-w64 target), all others with the dev preset's
# (build/); a tracked source that its preset does not compile fails the gate.
# Usage: tools/check-style.sh
#   A preset's build folder is configured when it has none (the windows preset
#   needs VUKA_WINDOWS_QT: tools/windows/build-qt.sh prints it); the dev build's
#   generated headers (moc, uic) are made first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
cd "$root"
failed=0

mapfile -t cxx_files < <(git ls-files -- '*.cpp' '*.h')
echo "== clang-format: ${#cxx_files[@]} files"
if ! clang-format --dry-run --Werror "${cxx_files[@]}"; then
  echo "clang-format: run clang-format -i on the files above" >&2
  failed=1
fi

mapfile -t test_files < <(git ls-files -- 'tests/*.cpp')
echo "== test body size: ${#test_files[@]} files"
if ! python3 "$root/tools/check-test-size.py" "${test_files[@]}"; then
  echo "test body size: split the tests above into smaller tests or helpers" >&2
  failed=1
fi

echo "== QtTest checks in GoogleTest tests"
"$root/tools/check-test-checks.sh" || failed=1

# Configures a preset's folder when it has none and brings its compile commands up
# to date (a CMakeLists.txt may have changed); with "generated", also makes the
# headers that the build generates (moc, uic) and the sources include.
prepare() {
  local preset="$1" dir="$2" generated="${3:-}" autogen
  if [ ! -f "$dir/compile_commands.json" ]; then
    if [ "$preset" = windows ] && [ -z "${VUKA_WINDOWS_QT:-}" ]; then
      VUKA_WINDOWS_QT="$("$root/tools/windows/build-qt.sh" | tail -n 1)"
      export VUKA_WINDOWS_QT
    fi
    cmake --preset "$preset" >/dev/null
  fi
  mapfile -t autogen < <(cmake --build "$dir" --target help | grep -oE '[A-Za-z0-9_.+-]+_autogen\b' | sort -u)
  if [ -n "$generated" ] && [ ${#autogen[@]} -gt 0 ]; then
    cmake --build "$dir" --parallel "$jobs" --target "${autogen[@]}" >/dev/null
  fi
}
dev_build="$root/build"
windows_build="$root/build-windows/build"
prepare dev "$dev_build" generated
prepare windows "$windows_build"

# Each tracked source goes to its preset's list, as an anchored pattern for run-clang-tidy.
declare -A compiled
while read -r path; do compiled["dev:$path"]=1; done < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$dev_build/compile_commands.json")
while read -r path; do compiled["windows:$path"]=1; done < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$windows_build/compile_commands.json")
mapfile -t sources < <(git ls-files -- 'src/*.cpp' 'tests/*.cpp' 'bench/*.cpp')
dev_sources=() windows_sources=()
for source in "${sources[@]}"; do
  preset=dev
  [[ "$source" != *win32* ]] || preset=windows
  if [ -z "${compiled["$preset:$root/$source"]:-}" ]; then
    echo "not compiled by the $preset preset, so not checked: $source" >&2
    failed=1
    continue
  fi
  pattern="^$(printf '%s' "$root/$source" | sed 's/[][\.|$(){}?+*^]/\\&/g')\$"
  if [ "$preset" = dev ]; then dev_sources+=("$pattern"); else windows_sources+=("$pattern"); fi
done

# Headers are checked where they lie in this tree's src/, tests/ and bench/ folders,
# never in the build folder (the ui_<form>.h that uic writes) or the system's.
root_pattern="$(printf '%s' "$root" | sed 's/[][\.|$(){}?+*^]/\\&/g')"
tidy() {  # build-folder [run-clang-tidy options and file patterns...]
  local dir="$1" log="$1/clang-tidy.log"
  shift
  if ! run-clang-tidy -quiet -j "$jobs" -p "$dir" -header-filter "^$root_pattern/(src|tests|bench)/" "$@" \
      >"$log" 2>&1; then
    sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '(warning|error): ' | sort -u >&2 || true
    echo "clang-tidy: findings above; the full log is $log" >&2
    failed=1
  fi
}
echo "== clang-tidy: ${#dev_sources[@]} sources as the dev preset compiles them"
tidy "$dev_build" "${dev_sources[@]}"
# The mingw-w64 target and its C++ headers, which clang does not find by itself.
mingw_gcc="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
echo "== clang-tidy: ${#windows_sources[@]} sources as the windows preset compiles them"
if [ ${#windows_sources[@]} -gt 0 ]; then
  tidy "$windows_build" -extra-arg=--target=x86_64-w64-mingw32 \
    -extra-arg=-isystem"$mingw_gcc/include/c++" -extra-arg=-isystem"$mingw_gcc/include/c++/x86_64-w64-mingw32" \
    -extra-arg=-isystem/usr/x86_64-w64-mingw32/include "${windows_sources[@]}"
fi

if [ "$failed" -ne 0 ]; then
  echo "== style gate FAILED" >&2
  exit 1
fi
echo "== style gate passed"
