#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs the whole test suite twice: in the normal build, and
# built with AddressSanitizer and UndefinedBehaviorSanitizer; then the Windows build's tests under
# Wine, and the WebAssembly core's and the web page's in Node.js and Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTHREEWIRE_SANITIZE=address,undefined -DTHREEWIRE_BUILD_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
scripts/test-windows.sh
scripts/test-web.sh
scripts/fuzz.sh 20
