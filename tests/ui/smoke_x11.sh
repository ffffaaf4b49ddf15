#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real program on an X server maps its window at 317 x 349. Usage, under xvfb-run:
# smoke_x11.sh PROGRAM
set -euo pipefail
QT_QPA_PLATFORM=xcb "$1" &
trap 'kill $!' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --pid $! | head -n 1)
size=$(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')
echo "window mapped at $size"
[ "$size" = 317x349 ]
