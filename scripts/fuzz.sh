#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the core's libFuzzer target with AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# it for the given number of seconds (default 60) on a scratch copy of fuzz/corpus, so the
# inputs it finds never land in the checkout. Exits non-zero on a crash, a sanitizer report, a
# broken property, a hang or running out of memory, and then keeps the scratch directory with the
# failing input.
# Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [seconds]" >&2
  exit 2
fi

# The test packages include clang 16: clang 14 cannot compile libstdc++'s std::expected, which
# the core's interface uses.
scripts/install-deps.sh test

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-16 \
  -DTHREEWIRE_FUZZ=ON -DTHREEWIRE_BUILD_UI=OFF -DBUILD_TESTING=OFF -DTHREEWIRE_BUILD_BENCH=OFF
cmake --build build-fuzz -j "$(nproc)" --target fuzz_core

scratch=$(mktemp -d "${TMPDIR:-/tmp}/threewire-fuzz.XXXXXX")
mkdir "$scratch/corpus" "$scratch/long" "$scratch/artifacts"
cp fuzz/corpus/* "$scratch/corpus/"

# Texts of up to 100,000 characters. libFuzzer would take far longer than a short run to grow its
# inputs that long, so they are written here rather than kept in the repository.
repeat() { head -c "$2" /dev/zero | tr '\0' "$1"; }
{ printf '0.'; repeat 0 99997; printf '1'; } >"$scratch/long/fraction"
{ repeat 9 99990; printf 'e-99999'; } >"$scratch/long/exponent"
{ printf '1'; for ((i = 0; i < 24999; i++)); do printf ',234'; done; printf '.5'; } \
  >"$scratch/long/grouped"
{ printf '9'; for ((i = 0; i < 16600; i++)); do printf '\xe2\x80\xaf999'; done
  printf ',5|1|9.026|0.866|60'; } >"$scratch/long/narrow_groups"
for ((i = 0; i < 20000; i++)); do printf '1.5|'; done >"$scratch/long/many_texts"

# Runs the fuzzer for $1 seconds, logging to fuzz-$2.log, on the corpus directories that follow;
# new inputs go to the first. On a failure, shows the end of its log and stops the script with its exit status.
run_fuzzer() {
  local seconds=$1 log="$scratch/fuzz-$2.log" status=0
  shift 2
  echo "Fuzzing for $seconds s ($log)"
  build-fuzz/fuzz/fuzz_core -max_len=100000 -timeout=10 -max_total_time="$seconds" \
    -print_final_stats=1 -artifact_prefix="$scratch/artifacts/" "$@" >"$log" 2>&1 || status=$?
  if ((status != 0)); then
    tail -n 80 "$log"
    echo "fuzz: FAILED (exit $status); the input and the log are kept in $scratch" >&2
    exit "$status"
  fi
  grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb))' "$log"
}

# Once 100,000-character inputs are in the corpus, libFuzzer makes every input that long and runs
# twenty to fifty times fewer per second (measured here), so three quarters of the time go to
# short inputs, which libFuzzer lengthens step by step, and the last quarter adds the long texts.
long_seconds=$((seconds / 4 > 0 ? seconds / 4 : 1))
short_seconds=$((seconds - long_seconds))
if ((short_seconds > 0)); then run_fuzzer "$short_seconds" short "$scratch/corpus"; fi
run_fuzzer "$long_seconds" long "$scratch/corpus" "$scratch/long"
rm -rf "$scratch"
