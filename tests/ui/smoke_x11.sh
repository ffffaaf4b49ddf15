#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real program: without a display it says so in one line that names xvfb-run and fails; on
# an X server it maps its window at 599 x 349: Form1 and the inspector's panel. Usage, under xvfb-run: smoke_x11.sh PROGRAM
set -euo pipefail
message=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$1" 2>&1) && exit 1
[ "$(wc -l <<<"$message")" = 1 ]
grep -q xvfb-run <<<"$message"
QT_QPA_PLATFORM=xcb "$1" &
trap 'kill $!' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --pid $! | head -n 1)
size=$(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')
echo "window mapped at $size"
[ "$size" = 599x349 ]
