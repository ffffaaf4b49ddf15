#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds the Windows program on Debian and writes dist/threewire.exe (portable, statically
# linked: it needs nothing but Windows) and dist/threewire-<version>-setup.exe (NSIS installer).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows

cmake -S . -B build-windows-dist -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTHREEWIRE_BUILD_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build-windows-dist -j "$(nproc)"
cmake --install build-windows-dist --prefix "$PWD/dist" | sed -n "s/^-- Installing: //p"
