#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes a screenshot of the window under Xvfb: scripts/screenshot.sh [--judged] [out.png] [scale
# factor]. The default writes docs/screenshot.png at the normal scale; --judged shows the README's
# part at 21° of lead judged in the inspector's panel.
set -euo pipefail
cd "$(dirname "$0")/.."
judged=false
if [ "${1:-}" = --judged ]; then judged=true; shift; fi
out=$(realpath -m "${1:-docs/screenshot.png}")
scale=${2:-1}
scripts/build-app.sh
missing=()
for tool in Xvfb:xvfb import:imagemagick xwininfo:x11-utils xdotool:xdotool; do
  command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
done
if ((${#missing[@]})); then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_SCALE_FACTOR=$scale build-run/ui/qt/threewire &
program=$!

# Wait for the window to map, then grab it alone.
caption='多线螺纹(大螺旋角)三针测量'
for _ in $(seq 50); do
  id=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\"" | awk '{print $1}' | head -n 1 || true)
  [ -n "$id" ] && break
  sleep 0.2
done
[ -n "${id:-}" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 0.5
if $judged; then
  DISPLAY=$display xdotool windowfocus --sync "$id"
  DISPLAY=$display scripts/screenshot-judged-part.sh
fi
mkdir -p "$(dirname "$out")"
DISPLAY=$display import -window "$id" "$out"
echo "$out"
