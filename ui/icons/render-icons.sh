#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Regenerates the window icon (threewire.ico), the menu icons
# (packaging/icons/hicolor/NxN/apps/org.threewire.ThreeWire.png) and the web app's icons
# (ui/web/webapp/*.png) from threewire.svg.
# The outputs are committed so that building never needs these tools; run this after editing
# the SVG. Needs: librsvg2-bin (rsvg-convert), imagemagick (convert), icoutils (icotool).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
svg=$here/threewire.svg
app_id=org.threewire.ThreeWire

for tool in rsvg-convert convert icotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "$0: $tool is missing (apt-get install librsvg2-bin imagemagick icoutils)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Menu icons: straight renderings, anti-aliased with full alpha.
for size in 16 32 48 64 128; do
  dir=$root/packaging/icons/hicolor/${size}x${size}/apps
  mkdir -p "$dir"
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$dir/$app_id.png"
done

# The 16-colour images use a fixed palette taken from the SVG's own colours; an adaptive one
# spends entries on the transparent background and turns the wires' highlights grey at 16 px.
palette=(
  '#000000' '#1c262b' '#37474f' '#455a64' '#546e7a' '#607d8b' '#78909c' '#90a4ae'
  '#b0bec5' '#4e3500' '#f09800' '#ffca28' '#ffe082' '#fff6d0' '#d32f2f' '#ffffff'
)
swatches=()
for colour in "${palette[@]}"; do swatches+=("xc:$colour"); done
convert -size 1x1 "${swatches[@]}" +append "$work/palette.png"

# An .ico image is either opaque or transparent in each pixel (its AND mask), so the alpha
# channel is cut at half; the colours are mapped to the palette without dithering, which at
# these sizes only adds noise.
to_16_colours() {
  convert "$1" -write mpr:source +delete \
    \( mpr:source -alpha off -dither None -remap "$work/palette.png" \) \
    \( mpr:source -alpha extract -threshold 50% \) \
    -alpha off -compose CopyOpacity -composite -strip "PNG32:$2"
}
rsvg-convert -w 32 -h 32 "$svg" -o "$work/32.png"
rsvg-convert -w 16 -h 16 "$svg" -o "$work/16.png"
to_16_colours "$work/32.png" "$work/32x4.png"
to_16_colours "$work/16.png" "$work/16x4.png"

# The two-colour image is painted again by a stylesheet rather than thresholded from the
# colour one: there the grey steel would split into black and white stripes. Black steel, white
# wires with a thick black edge so that they stand out where they rise above the crests.
cat >"$work/mono.css" <<'EOF'
.body { fill: #000; stroke: #000; }
.wires { fill: #fff; stroke: #000; stroke-width: 3px; }
.faces { fill: #000; }
EOF
rsvg-convert -s "$work/mono.css" -w 32 -h 32 "$svg" -o "$work/mono.png"
convert "$work/mono.png" -channel RGB -threshold 50% -channel A -threshold 50% +channel \
  -strip "PNG32:$work/32x1.png"

icotool -c -o "$here/threewire.ico" \
  -b 1 "$work/32x1.png" -b 4 "$work/32x4.png" -b 4 "$work/16x4.png"

# icotool refuses images with too many colours, but check the result too: exactly these three.
expected='--icon --index=1 --width=32 --height=32 --bit-depth=1 --palette-size=2
--icon --index=2 --width=32 --height=32 --bit-depth=4 --palette-size=16
--icon --index=3 --width=16 --height=16 --bit-depth=4 --palette-size=16'
listed=$(icotool -l "$here/threewire.ico")
if [ "$listed" != "$expected" ]; then
  printf '%s: unexpected images in threewire.ico:\n%s\n' "$0" "$listed" >&2
  exit 1
fi
# The web app's icons. A home screen cuts a maskable icon to its own shape, keeping at least the
# circle of 80 % of the width about the centre: the square picture lies within it (its diagonal
# 0.8 of the width), on the window's face colour. iOS fills a transparent apple-touch-icon with
# black and rounds its corners, so that one is opaque too, with a smaller margin.
webapp=$root/ui/web/webapp
for size in 192 512; do
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$webapp/icon-$size.png"
done
on_face() {  # picture size, icon size, output
  rsvg-convert -w "$1" -h "$1" "$svg" -o "$work/face.png"
  convert "$work/face.png" -background '#f0f0f0' -gravity center -extent "$2x$2" -alpha off \
    -strip "PNG24:$3"
}
on_face 288 512 "$webapp/icon-maskable-512.png"
on_face 144 180 "$webapp/apple-touch-icon.png"
echo "Wrote $here/threewire.ico, packaging/icons/hicolor/{16,32,48,64,128}/apps/$app_id.png and $webapp/*.png"
