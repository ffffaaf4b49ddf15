#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing and builds the program alone (no tests, no benchmarks) in build-run/.
# Prints nothing but the build's own output; the program is build-run/ui/qt/threewire.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTHREEWIRE_BUILD_BENCH=OFF >/dev/null
cmake --build build-run -j "$(nproc)"
