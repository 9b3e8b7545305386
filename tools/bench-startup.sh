#!/usr/bin/env bash
# Measures the editor's start-up against a bare Qt window of the same shape on a
# private Xvfb display and prints the ratios of the medians (time and peak memory).
# Usage: tools/bench-startup.sh [RUNS [PROGRAM]]
#   RUNS     interleaved runs of each program (default 15)
#   PROGRAM  the editor to measure (default: the one built in build/)
# VUKA_BUILD_DIR chooses the build folder (default build/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VUKA_BUILD_DIR:-$root/build}"
runs="${1:-15}"

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target startup_bench
program="${2:-$build/src/ui/vuka-manager}"

# Xvfb picks a free display number and writes it to the descriptor.
scratch="$(mktemp -d)"
chmod 700 "$scratch"
display_file="$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }

DISPLAY=":$(cat "$display_file")" XDG_RUNTIME_DIR="$scratch" "$build/bench/startup/startup_bench" "$runs" \
  "$build/bench/startup/startup_bare" "$program"
