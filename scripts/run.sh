#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and opens the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTHREEWIRE_BUILD_BENCH=OFF
cmake --build build-run -j "$(nproc)"
exec build-run/ui/threewire "$@"
