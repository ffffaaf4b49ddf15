#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds the Windows program and its tests with mingw-w64 in build-windows/ and runs them
# under Wine on Xvfb: the core tests (also under a decimal-comma locale) and the window's tests,
# at 96 dpi and in a second Wine prefix at 144 dpi; and the installer's round trip in a third.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows
source scripts/utf8-locale.sh

build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"

export WINEPREFIX=$PWD/$build/wine-prefix WINEDEBUG=-all
scripts/wine-prefix.sh "$WINEPREFIX"
scripts/wine-prefix.sh "$build/wine-prefix-144dpi" 144 "$WINEPREFIX"
scripts/wine-prefix.sh "$build/wine-prefix-installer"
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
