#!/usr/bin/env bash
# Measures how long the editor takes to show an opened configuration of many
# variables, the way tools/bench-startup.sh measures the start-up: on a private
# Xvfb display, interleaved runs of the editor and of a bare Qt window of its
# shape, each from exec to its first mapped window; then both again, given the
# file, until their title names it (the bare window opens it through the model
# alone). A program's cost of the file is its median with the file less its
# median without; the editor's cost is printed as a ratio to the model's, in
# processor time (user + system, all threads) and in wall-clock time.
# Then bench/startup/window_jump drives the editor's own window in its process on
# the same display, a fresh window for each file in turn (rounds alternate which
# file goes first): Ctrl+End to the last row, the scroll bar's slider dragged to
# its end, one cell edited (F2, a letter, Enter) and that edit taken back
# (Ctrl+Z), and a row inserted. Each is timed from its input until the event
# loop goes idle after the table repainted, and in processor time until the loop
# stays idle; the medians are printed as ratios against the same inputs on a
# table of 100 variables. A ratio near 1 means the answer does not grow with the
# rows.
# Usage: tools/bench-open.sh [RUNS [VARIABLES [ROUNDS]]]
#   RUNS       interleaved runs of each program (default 9)
#   VARIABLES  variables in the generated file's [Variables] section (default 100000)
#   ROUNDS     rounds of the window's answers, five inputs of each kind a round (default 3)
# VUKA_BUILD_DIR chooses the build folder (default build/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VUKA_BUILD_DIR:-$root/build}"
runs="${1:-9}"
variables="${2:-100000}"
rounds="${3:-3}"

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --parallel 2 --target startup_bench vuka-manager window_jump
program="$build/src/ui/vuka-manager"
bare="$build/bench/startup/startup_bare"

. "$root/tools/private-display.sh"

# A configuration of N variables into the file.
write_variables() {
  awk -v n="$1" 'BEGIN {
    printf "[Config]\r\nLanguages=RUS\r\n[Display]\r\nShowMainWindow=1\r\n[Variables]\r\nProgramName=Product\r\n"
    for (i = 0; i < n; i++) printf "Variable%d=value of variable %d\r\n", i, i
  }' >"$2"
}
file="$scratch/variables-$variables.ini"
write_variables "$variables" "$file"
peer="$scratch/variables-100.ini"
write_variables 100 "$peer"
echo "file: $variables variables, $(stat -c %s "$file") bytes"

"$build/bench/startup/startup_bench" "$runs" "$bare" "$program" | tee "$scratch/empty"
"$build/bench/startup/startup_bench" "$runs" "$bare" "$program" "$file" | tee "$scratch/file"

# The medians of each program: "<name> medians: start-up <ms> ms, processor <ms> ms, ...".
awk '
  FNR == 1 { part++ }
  $2 == "medians:" { key = (part == 1 ? "empty " : "file ") ($1 == "startup_bare" ? "model" : "editor")
                     wall[key] = $4; cpu[key] = $7 }
  END {
    mw = wall["file model"] - wall["empty model"];   mc = cpu["file model"] - cpu["empty model"]
    ew = wall["file editor"] - wall["empty editor"]; ec = cpu["file editor"] - cpu["empty editor"]
    printf "cost of the file: model %.1f ms processor (%.1f ms wall), editor %.1f ms processor (%.1f ms wall)\n", mc, mw, ec, ew
    if (mc > 0 && mw > 0) printf "editor against the model: processor time %.2fx, wall-clock time %.2fx\n", ec / mc, ew / mw
  }' "$scratch/empty" "$scratch/file"

"$build/bench/startup/window_jump" "$rounds" "$peer" "$file"
