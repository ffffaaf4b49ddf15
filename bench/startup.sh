#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up benchmark: under Xvfb, times exec to the window being mapped, and the resident memory
# then, for the calculator and its baselines, alternating them in one run: a bare window of the
# same size with one Chinese label (for information), and a window of the calculator's 31
# controls, fonts and wire list with nothing else (the goal), which shows what the calculator
# costs beyond the controls any window of its layout needs. The Qt programs by default; with
# --windows, the Windows programs under Wine.
# Usage: bench/startup.sh [--windows] [runs of each, default 15]
# Goal: median start-up at most 1.10 x (Qt) or 1.15 x (Windows) the goal baseline's, memory at
# most its + 10 MiB.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=false
if [ "${1:-}" = --windows ]; then windows=true; shift; fi
runs=${1:-15}
scripts/install-deps.sh test
cmake -S . -B build-startup -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
names=(threewire bare controls)
if $windows; then
  cmake --build build-startup -j "$(nproc)" --target window_probe >/dev/null
  cmake -S . -B build-windows-x86-startup -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
  cmake --build build-windows-x86-startup -j "$(nproc)" \
    --target threewire bare_window_win32 controls_window_win32 >/dev/null
  source scripts/utf8-locale.sh
  export WINEPREFIX=$PWD/build-windows-x86-startup/wine-prefix WINEDEBUG=-all WINEARCH=win32
  scripts/wine-prefix.sh "$WINEPREFIX"
  # A running Wine server, as on Windows the system is already up: only the program is timed.
  /usr/lib/wine/wineserver -p
  wine=/usr/lib/wine/wine built=build-windows-x86-startup
  command_threewire=("$wine" $built/ui/win32/threewire.exe)
  command_bare=("$wine" $built/bench/bare_window_win32.exe)
  command_controls=("$wine" $built/bench/controls_window_win32.exe)
  goal=1.15
else
  cmake --build build-startup -j "$(nproc)" --target threewire bare_window controls_window \
    window_probe >/dev/null
  command_threewire=(build-startup/ui/qt/threewire)
  command_bare=(build-startup/bench/bare_window)
  command_controls=(build-startup/bench/controls_window)
  goal=1.10
fi

display=:$((200 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; ! $windows || /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
sleep 1

probe() {  # name: one start of that program
  local -n command=command_$1
  DISPLAY=$display build-startup/bench/window_probe "${command[@]}"
}
# One untimed start of each fills the file cache.
for name in "${names[@]}"; do probe "$name" >/dev/null; done

results=$(mktemp)
for _ in $(seq "$runs"); do
  for name in "${names[@]}"; do echo "$name $(probe "$name")" >>"$results"; done
done

median() {  # program field
  grep "^$1 " "$results" | sed -n "s/.*$2=\([0-9.]*\).*/\1/p" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
declare -A ms kib cpu
for name in "${names[@]}"; do
  ms[$name]=$(median "$name" mapped_ms)
  kib[$name]=$(median "$name" rss_kib)
  cpu[$name]=$(median "$name" cpu_ms)
done
rm -f "$results"

report() {  # baseline label: one line per measure, against that baseline
  awk -v a="${ms[threewire]}" -v b="${ms[$1]}" -v ac="${cpu[threewire]}" -v bc="${cpu[$1]}" \
    -v am="${kib[threewire]}" -v bm="${kib[$1]}" -v label="$2" -v goal="$3" 'BEGIN {
    printf "against %s:\n", label
    printf "  start-up, median:  threewire %.1f ms, baseline %.1f ms, ratio %.3f%s\n", a, b, a / b, goal ? " (goal <= " goal ")" : ""
    printf "  processor, median: threewire %.1f ms, baseline %.1f ms, ratio %.3f\n", ac, bc, ac / bc
    printf "  resident, median:  threewire %.1f MiB, baseline %.1f MiB, difference %.1f MiB%s\n", am / 1024, bm / 1024, (am - bm) / 1024, goal ? " (goal <= 10)" : ""
    exit goal && !(a <= goal * b && am - bm <= 10 * 1024)
  }'
}
echo "runs of each: $runs"
report bare "a bare window with one label (for information)" 0
report controls "a window of the same controls, fonts and list, nothing else" "$goal"
