#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds the Windows program on Debian and writes dist/threewire.exe (portable, statically
# linked: it needs nothing but Windows) and dist/threewire-<version>-setup.exe (NSIS installer),
# both 32-bit, for every Windows from XP on; refuses them when they import what XP lacks.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows

build=build-windows-x86-dist
cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTHREEWIRE_BUILD_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
cmake --build $build -j "$(nproc)"
cmake --install $build --prefix "$PWD/dist" | sed -n "s/^-- Installing: //p"
tests/win32/check_imports.sh i686-w64-mingw32-objdump i686-w64-mingw32-g++-win32 dist/threewire.exe \
  dist/threewire-*-setup.exe
