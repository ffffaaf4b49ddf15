#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# ComputeMValue in WebAssembly, in headless Chromium and under Node.js, against the native build:
# core_loop in each (the same loop), and the native core_bench (Google Benchmark). Goal: in
# Chromium, where the page runs, WebAssembly at most 2 x native.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web-test
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTHREEWIRE_BUILD_UI=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target core_loop core_bench >/dev/null
cmake -S . -B build-web-bench -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/wasm32-wasi.cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTHREEWIRE_BUILD_UI=OFF >/dev/null
cmake --build build-web-bench -j "$(nproc)" --target core_loop >/dev/null

echo "== native, core_bench"
build-bench/bench/core_bench --benchmark_filter='BM_ComputeMValue/' --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep median
# The same loop natively, in Chromium (where the page runs) and in Node.js, alternating three
# times; the fastest of each.
runs=$(mktemp)
for _ in 1 2 3; do
  build-bench/bench/core_loop | sed 's/^/native /' >>"$runs"
  /usr/bin/python3 bench/wasi_in_chromium.py build-web-bench/bench/core_loop.wasm |
    sed 's/^/chromium /' >>"$runs"
  node --experimental-wasi-unstable-preview1 --no-warnings cmake/wasi-run.mjs \
    build-web-bench/bench/core_loop.wasm | sed 's/^/node /' >>"$runs"
done
echo "== core_loop, ns per call, fastest of three runs; WebAssembly / native"
awk '{ key = $2; t = $3; if (!(($1, key) in best) || t < best[$1, key]) best[$1, key] = t; names[key] }
  END {
    printf "%-34s %9s %9s %6s %9s %6s\n", "", "native", "Chromium", "ratio", "Node.js", "ratio"
    for (k in names) printf "%-34s %9.1f %9.1f %5.2fx %9.1f %5.2fx\n", k, best["native", k],
      best["chromium", k], best["chromium", k] / best["native", k], best["node", k],
      best["node", k] / best["native", k]
  }' "$runs"
rm -f "$runs"
