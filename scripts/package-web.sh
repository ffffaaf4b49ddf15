#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the calculator as one web page, dist/threewire.html: the WebAssembly core, the script and
# the style inside, nothing loaded from anywhere, so it works opened from disk and offline. And
# dist/web/, the folder to copy to a web host: the same page as index.html, with the web app's
# manifest, icons and service worker, which a phone installs to its home screen and opens offline.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web

build=build-web-dist
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/wasm32-wasi.cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTHREEWIRE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target threewire_page
mkdir -p dist
cp "$build/ui/web/threewire.html" dist/threewire.html
rm -rf dist/web
cp -r "$build/ui/web/web" dist/web

size=$(stat -c %s dist/threewire.html)
echo "dist/threewire.html: $size bytes"
(cd dist/web && stat -c '  dist/web/%n: %s bytes' *)
if ((size > 300 * 1024)); then
  echo "the page is larger than 300 KB" >&2
  exit 1
fi
