#!/usr/bin/env bash
# The style gate: fails on any clang-format difference in the git-tracked C++ files
# and on any clang-tidy finding (the tree's .clang-tidy files) in every git-tracked
# C++ source of src/, tests/ and bench/, and in the tree's headers they include;
# and on any test body in tests/ longer than clang-tidy lets a function be
# (tools/check-test-size.py: clang-tidy does not measure code from the test macros).
# Usage: tools/check-style.sh [BUILD_DIR]
#   BUILD_DIR  a build folder of this tree (default build/), configured with the user
#              interface, the tests and the benchmarks, so that it compiles every
#              source. Its compile commands are reused (it is configured only when it
#              has none) and its generated headers (moc, uic) are made first.
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

mapfile -t test_files < <(git ls-files -- 'tests/*.cpp')
echo "== test body size: ${#test_files[@]} files"
if ! python3 "$root/tools/check-test-size.py" "${test_files[@]}"; then
  echo "test body size: split the tests above into smaller tests or helpers" >&2
  failed=1
fi

if [ ! -f "$build/compile_commands.json" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
fi
# The sources include headers that the build generates (moc, uic): make only those.
# This also brings the compile commands up to date when a CMakeLists.txt changed.
mapfile -t autogen < <(cmake --build "$build" --target help | grep -oE '[A-Za-z0-9_.+-]+_autogen\b' | sort -u)
if [ ${#autogen[@]} -gt 0 ]; then
  cmake --build "$build" --parallel "$jobs" --target "${autogen[@]}" >/dev/null
fi

# One compile command per tracked source (a source built into several programs is
# checked once); a tracked source that the build does not compile fails the gate.
tidy_db="$build/style-gate"
mingw_gcc=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
windows_flags=(--target=x86_64-w64-mingw32 -std=c++20 -Wall -Wextra -Wpedantic
               -I"$root/src" -I"$root/tests/support" -I/usr/src/googletest/googletest/include
               -isystem "$mingw_gcc/include/c++" -isystem "$mingw_gcc/include/c++/x86_64-w64-mingw32"
               -isystem /usr/x86_64-w64-mingw32/include)
mkdir -p "$tidy_db"
mapfile -t sources < <(git ls-files -- 'src/*.cpp' 'tests/*.cpp' 'bench/*.cpp')
if ! printf '%s\n' "${sources[@]}" | python3 -c '
import json, os, sys
root, build, out = sys.argv[1:4]
windows_flags = sys.argv[4:]
wanted = {os.path.join(root, line.strip()) for line in sys.stdin if line.strip()}
chosen = {}
for entry in json.load(open(os.path.join(build, "compile_commands.json"))):
    path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    if path in wanted and path not in chosen:
        chosen[path] = dict(entry, file=path)
# The Windows-only sources (win32 in their names) are checked as the cross build
# compiles them: for the mingw-w64 target, with its headers.
for path in sorted(wanted - chosen.keys()):
    if "win32" in os.path.basename(path):
        chosen[path] = {"directory": root, "file": path,
                        "arguments": ["clang++"] + windows_flags + ["-c", path]}
missing = sorted(wanted - chosen.keys())
for path in missing:
    print("not compiled in " + build + ", so not checked: " + os.path.relpath(path, root), file=sys.stderr)
json.dump(list(chosen.values()), open(os.path.join(out, "compile_commands.json"), "w"), indent=1)
sys.exit(1 if missing else 0)
' "$root" "$build" "$tidy_db" "${windows_flags[@]}"; then
  failed=1
fi

# Headers are checked where they lie in this tree's src/, tests/ and bench/ folders,
# never in the build folder (the ui_<form>.h that uic writes) or the system's.
root_pattern="$(printf '%s' "$root" | sed 's/[][\.|$(){}?+*^]/\\&/g')"
echo "== clang-tidy: ${#sources[@]} sources"
if ! run-clang-tidy -quiet -j "$jobs" -p "$tidy_db" -header-filter "^$root_pattern/(src|tests|bench)/" \
    >"$build/clang-tidy.log" 2>&1; then
  sed 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log" | grep -E '(warning|error): ' | sort -u >&2 || true
  echo "clang-tidy: findings above; the full log is $build/clang-tidy.log" >&2
  failed=1
fi

if [ "$failed" -ne 0 ]; then
  echo "== style gate FAILED" >&2
  exit 1
fi
echo "== style gate passed"
