#!/bin/sh
# SPDX-License-Identifier: MIT
# Writes a one-file page: assemble-page.sh module.wasm page.html head.html. Each "@@ file" line of
# page.html becomes that file of this folder, "@@ head" the file head.html, "@@ core" the module,
# gzipped and in base64.
set -eu
here=$(dirname "$0")
core=$2.core
gzip -9n <"$1" | base64 -w 0 >"$core"
awk -v here="$here" -v core="$core" -v head="$3" '
  $1 == "@@" {
    file = $2 == "core" ? core : $2 == "head" ? head : here "/" $2
    while ((getline line < file) > 0) print line
    close(file)
    next
  }
  { print }' "$here/page.html" >"$2"
rm "$core"
