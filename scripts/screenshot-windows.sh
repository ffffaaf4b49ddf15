#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes a screenshot of the Windows program's window under 32-bit Wine reporting Windows XP, on an
# Xvfb screen of its own: scripts/screenshot-windows.sh [--judged] [out.png] [dpi]. The default
# writes docs/screenshot-windows.png at 96 dpi; 144 shows the window as Windows does at 150 %;
# --judged shows the README's part at 21° of lead judged in the inspector's panel.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/utf8-locale.sh
if [ -z "${THREEWIRE_ON_XVFB:-}" ]; then
  scripts/install-deps.sh windows
  command -v import >/dev/null || { apt-get update -qq && apt-get install -y -qq imagemagick; }
  THREEWIRE_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
judged=false
if [ "${1:-}" = --judged ]; then judged=true; shift; fi
out=$(realpath -m "${1:-docs/screenshot-windows.png}")
dpi=${2:-96}

build=build-windows-x86
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target threewire
export WINEPREFIX=$PWD/$build/wine-prefix WINEDEBUG=-all WINEARCH=win32
scripts/wine-prefix.sh "$WINEPREFIX"
if [ "$dpi" != 96 ]; then
  WINEPREFIX=$PWD/$build/wine-prefix-${dpi}dpi
  scripts/wine-prefix.sh "$WINEPREFIX" "$dpi" "$build/wine-prefix"
fi

/usr/lib/wine/wine "$build/ui/win32/threewire.exe" &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT
window=$(timeout 30 xdotool search --sync --onlyvisible --class 'threewire\.exe' | head -n 1)
sleep 1
if $judged; then
  xdotool windowfocus --sync "$window"
  scripts/screenshot-judged-part.sh
fi

# Only the client area, as docs/screenshot.png shows the Linux window's: without a window manager
# Wine draws the frame itself, its buttons in a Marlett face that Debian's Wine does not find.
width=$(((599 * dpi + 48) / 96))
height=$(((349 * dpi + 48) / 96))
eval "$(xdotool getwindowgeometry --shell "$window")"  # WIDTH, HEIGHT: the frame's
border=$(((WIDTH - width) / 2))
mkdir -p "$(dirname "$out")"
import -window "$window" -crop "${width}x${height}+${border}+$((HEIGHT - height - border))" \
  +repage "$out"
echo "$out"
