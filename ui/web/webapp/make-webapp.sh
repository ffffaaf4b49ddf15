#!/bin/sh
# SPDX-License-Identifier: MIT
# Writes the web app's folder: make-webapp.sh index.html folder. Beside the page, its manifest and
# icons, and the service worker that keeps them all, its cache named after their content.
set -eu
here=$(dirname "$0")
page=$1
folder=$2
files='index.html manifest.webmanifest icon-192.png icon-512.png icon-maskable-512.png
  apple-touch-icon.png'
mkdir -p "$folder"
cp "$page" "$folder/index.html"
for file in $files; do
  [ "$file" = index.html ] || cp "$here/$file" "$folder/$file"
done
build=$(cd "$folder" && cat $files | sha256sum | cut -c 1-16)
list=$(printf "'%s', " $files)
sed -e "s/@@build/$build/" -e "s/@@files/${list%, }/" "$here/service-worker.js" \
  >"$folder/service-worker.js"
