#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# ComputeMValue in WebAssembly under Node.js against the native build: core_loop in both (the
# same loop), and the native core_bench (Google Benchmark). Goal: WebAssembly at most 2 x native.
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
echo "== native, core_loop"
build-bench/bench/core_loop | tee build-bench/native.txt
echo "== WebAssembly in Node.js $(node --version), core_loop"
node --experimental-wasi-unstable-preview1 --no-warnings cmake/wasi-run.mjs \
  build-web-bench/bench/core_loop.wasm | tee build-web-bench/wasm.txt
echo "== WebAssembly / native"
paste build-web-bench/wasm.txt build-bench/native.txt |
  awk '{ printf "%-36s %.2f x\n", $1, $2 / $5 }'
