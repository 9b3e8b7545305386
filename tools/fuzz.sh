#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build-fuzz/ (the fuzz preset of CMakePresets.json) and runs each for VUKA_FUZZ_SECONDS
# (30) seconds, starting from a scratch copy of its seed corpus. A finding fails the
# script; the input that failed is copied to tests/fuzz/regressions/<target>/, where
# the ordinary test suite replays it from then on.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build-fuzz"
seconds="${VUKA_FUZZ_SECONDS:-30}"
# A fixed seed makes a run reproducible: the same seed and corpus give the same
# inputs in the same order, so CI repeats (a prefix of) a run that was checked.
# VUKA_FUZZ_SEED=0 lets libFuzzer pick a new seed, for exploring.
seed="${VUKA_FUZZ_SEED:-1}"
targets=(fuzz_load fuzz_lines fuzz_roundtrip fuzz_save)

echo "== Building the fuzz targets"
(cd "$root" && cmake --workflow --preset fuzz)

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# Runs one target from a scratch copy of its corpus; the exit status tells whether it found a failure.
fuzz() {
  local target="$1" work="$scratch/$1"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "$root/tests/fuzz/corpus/$target/"* "$work/corpus/"
  "$dir/tests/fuzz/$target" -seed="$seed" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1
}

# All targets at once: the wall time stays at the time of one.
echo "== Fuzzing ${targets[*]} for ${seconds}s"
declare -A pids
for target in "${targets[@]}"; do
  fuzz "$target" &
  pids[$target]=$!
done

failed=()
for target in "${targets[@]}"; do
  if wait "${pids[$target]}"; then
    echo "$target: $(grep -m1 -oE 'Seed: [0-9]+' "$scratch/$target/log"), $(grep -E '^Done [0-9]+ runs' "$scratch/$target/log" | tail -1)"
    continue
  fi
  echo "!! $target found a failure ($(grep -m1 -oE 'Seed: [0-9]+' "$scratch/$target/log")):"
  grep -v -E '^ +#[0-9]+ ' "$scratch/$target/log" | tail -n 25
  regressions="$root/tests/fuzz/regressions/$target"
  mkdir -p "$regressions"
  cp "$scratch/$target/artifacts/"* "$regressions/" 2>/dev/null || true
  echo "!! the input is kept in ${regressions#"$root"/}; the ordinary tests replay it"
  failed+=("$target")
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzzing failed: ${failed[*]}" >&2
  exit 1
fi
echo "Fuzzing passed: ${targets[*]}"
