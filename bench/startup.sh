#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up benchmark: under Xvfb, times exec to the window being mapped, and the resident memory
# then, for the calculator and for a bare window of the same size with one Chinese label,
# alternating the two in one run. With --windows, the Windows programs under Wine (a bare Win32
# window as the baseline); otherwise the Qt ones.
# Usage: bench/startup.sh [--windows] [runs of each, default 15]
# Goal: median start-up at most 1.15 x the bare window's, memory at most the bare one's + 10 MiB.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=false
if [ "${1:-}" = --windows ]; then windows=true; shift; fi
runs=${1:-15}
scripts/install-deps.sh test
cmake -S . -B build-startup -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-startup -j "$(nproc)" --target threewire bare_window window_probe >/dev/null
app=(build-startup/ui/qt/threewire)
bare=(build-startup/bench/bare_window)
if $windows; then
  cmake -S . -B build-windows-startup -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build build-windows-startup -j "$(nproc)" --target threewire bare_window_win32 >/dev/null
  export WINEPREFIX=$PWD/build-windows-startup/wine-prefix WINEDEBUG=-all
  scripts/wine-prefix.sh "$WINEPREFIX"
  # A running Wine server, as on Windows the system is already up: only the program is timed.
  /usr/lib/wine/wineserver -p
  app=(/usr/lib/wine/wine64 build-windows-startup/ui/win32/threewire.exe)
  bare=(/usr/lib/wine/wine64 build-windows-startup/bench/bare_window_win32.exe)
fi

display=:$((200 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; ! $windows || /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
sleep 1

probe() { DISPLAY=$display build-startup/bench/window_probe "$@"; }
# One untimed start of each fills the file cache.
probe "${app[@]}" >/dev/null
probe "${bare[@]}" >/dev/null

results=$(mktemp)
for _ in $(seq "$runs"); do
  echo "threewire $(probe "${app[@]}")" >>"$results"
  echo "bare $(probe "${bare[@]}")" >>"$results"
done

median() {  # program field
  grep "^$1 " "$results" | sed -n "s/.*$2=\([0-9.]*\).*/\1/p" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
app_ms=$(median threewire mapped_ms)
bare_ms=$(median bare mapped_ms)
app_kib=$(median threewire rss_kib)
bare_kib=$(median bare rss_kib)
app_cpu=$(median threewire cpu_ms)
bare_cpu=$(median bare cpu_ms)
rm -f "$results"

awk -v a="$app_ms" -v b="$bare_ms" -v am="$app_kib" -v bm="$bare_kib" -v ac="$app_cpu" \
  -v bc="$bare_cpu" -v n="$runs" 'BEGIN {
  printf "runs of each:        %d\n", n
  printf "start-up, median:    threewire %.1f ms, bare window %.1f ms, ratio %.3f (goal <= 1.15)\n", a, b, a / b
  printf "processor, median:   threewire %.1f ms, bare window %.1f ms, ratio %.3f\n", ac, bc, ac / bc
  printf "resident, median:    threewire %.1f MiB, bare window %.1f MiB, difference %.1f MiB (goal <= 10)\n", am / 1024, bm / 1024, (am - bm) / 1024
  exit !(a <= 1.15 * b && am - bm <= 10 * 1024)
}'
