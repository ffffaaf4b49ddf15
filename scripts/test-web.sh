#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the core and the web page as WebAssembly in build-web/ and tests them: the core's tests
# under Node.js, the page in Chromium, Firefox ESR and WebKitGTK, driven by the npm packages of
# package-lock.json.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web-test
npm ci --no-audit --no-fund --loglevel=error

build=build-web
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/wasm32-wasi.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTHREEWIRE_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
