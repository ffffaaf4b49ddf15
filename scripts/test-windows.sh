#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds the 32-bit Windows program and its tests with mingw-w64 in build-windows-x86/ and
# runs them under 32-bit Wine reporting Windows XP, on Xvfb: the core tests (also under a
# decimal-comma locale) and the window's tests, at 96 dpi and in a second prefix at 144 dpi; the
# check of what the program and the installer import; and the installer's round trip in a 32-bit
# and in a 64-bit prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows
source scripts/utf8-locale.sh

build=build-windows-x86
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"

export WINEPREFIX=$PWD/$build/wine-prefix WINEDEBUG=-all
WINEARCH=win32 scripts/wine-prefix.sh "$WINEPREFIX"
WINEARCH=win32 scripts/wine-prefix.sh "$build/wine-prefix-144dpi" 144 "$WINEPREFIX"
WINEARCH=win32 scripts/wine-prefix.sh "$build/wine-prefix-installer-32bit"
WINEARCH=win64 scripts/wine-prefix.sh "$build/wine-prefix-installer-64bit"
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
