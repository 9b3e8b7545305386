#!/usr/bin/env bash
# Measures the editor's start-up against a bare Qt window of the same shape on a
# private Xvfb display and prints the ratios of the medians: wall-clock time,
# processor time (user + system, all threads) and peak memory, from exec to the
# first mapped window. Then, when valgrind is installed, counts the instructions
# each program runs from exec until it enters the event loop (callgrind, one run
# each: the count hardly depends on the machine's load) and prints their ratio.
# Usage: tools/bench-startup.sh [RUNS [PROGRAM]]
#   RUNS     interleaved runs of each program (default 15)
#   PROGRAM  the editor to measure (default: the one built in build/)
# VUKA_BUILD_DIR chooses the build folder (default build/).
# VUKA_BENCH_INSTRUCTIONS=0 skips the instruction count.
# VUKA_BENCH_PROFILES=DIR keeps the two callgrind profiles there (startup_bare.out,
# vuka-manager.out) for callgrind_annotate --inclusive=yes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VUKA_BUILD_DIR:-$root/build}"
runs="${1:-15}"

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target startup_bench
program="${2:-$build/src/ui/vuka-manager}"
bare="$build/bench/startup/startup_bare"

. "$root/tools/private-display.sh"

"$build/bench/startup/startup_bench" "$runs" "$bare" "$program"

# Prints the instructions (all threads) that PROGRAM runs until it enters
# QCoreApplication::exec. Callgrind writes the count when the function is entered;
# the program is then stopped. The first paint comes after that point in both
# programs, so it is not counted.
count_instructions() {
  local name="$1" program="$2"
  local out="$scratch/$name"
  valgrind --tool=callgrind --dump-before='QCoreApplication::exec()' \
    --callgrind-out-file="$out.%p" "$program" >"$out.log" 2>&1 &
  local pid=$!
  local dump="$out.$pid.1"
  for _ in $(seq 3000); do
    grep -qs '^totals:' "$dump" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  grep -qs '^totals:' "$dump" || { echo "no callgrind count for $name (see $out.log)" >&2; return 1; }
  if [ -n "${VUKA_BENCH_PROFILES:-}" ]; then
    mkdir -p "$VUKA_BENCH_PROFILES"
    cp "$dump" "$VUKA_BENCH_PROFILES/$name.out"
  fi
  sed -n 's/^totals: *//p' "$dump"
}

if [ "${VUKA_BENCH_INSTRUCTIONS:-1}" != 0 ]; then
  if ! command -v valgrind >/dev/null; then
    echo "instruction count skipped: valgrind is not installed"
  else
    bare_count="$(count_instructions startup_bare "$bare")"
    count="$(count_instructions "$(basename "$program")" "$program")"
    awk -v b="$bare_count" -v p="$count" 'BEGIN {
      printf "instructions until the event loop (callgrind): startup_bare %.1f M, %s %.1f M\n", b / 1e6, "editor", p / 1e6
      printf "ratio to the bare program: instructions %.2fx\n", p / b }'
  fi
fi
