#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes a screenshot of the Windows program's window under Wine and Xvfb:
# scripts/screenshot-windows.sh [out.png] [dpi]. The default writes docs/screenshot-windows.png at
# 96 dpi; 144 shows the window as Windows does at 150 %.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot-windows.png}")
dpi=${2:-96}
scripts/install-deps.sh windows

build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target threewire
export WINEPREFIX=$PWD/$build/wine-prefix WINEDEBUG=-all
scripts/wine-prefix.sh "$WINEPREFIX"
if [ "$dpi" != 96 ]; then
  WINEPREFIX=$PWD/$build/wine-prefix-${dpi}dpi
  scripts/wine-prefix.sh "$WINEPREFIX" "$dpi" "$build/wine-prefix"
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display /usr/lib/wine/wine64 "$build/ui/win32/threewire.exe" &
program=$!

# Wait for the window to map, then grab its client area, as docs/screenshot.png shows the Linux
# window's: without a window manager Wine draws the frame itself, its buttons in a Marlett face
# that Debian's Wine does not find.
caption='多线螺纹(大螺旋角)三针测量'
for _ in $(seq 100); do
  id=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\"" | awk '{print $1}' | head -n 1 || true)
  [ -n "$id" ] && break
  sleep 0.2
done
[ -n "${id:-}" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 1
width=$(((317 * dpi + 48) / 96))
height=$(((349 * dpi + 48) / 96))
read -r frame_width frame_height < <(DISPLAY=$display xwininfo -id "$id" |
  awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
border=$(((frame_width - width) / 2))
mkdir -p "$(dirname "$out")"
DISPLAY=$display import -window "$id" \
  -crop "${width}x${height}+${border}+$((frame_height - height - border))" +repage "$out"
echo "$out"
