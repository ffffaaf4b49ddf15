#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The install tree holds exactly the program, its menu entry, icons, metainfo and manual pages, and
# these pass their validators; with --deb, the Debian package holds the same files plus Debian's
# copyright and changelog (scripts/package.sh runs lintian on the package it ships).
# Usage: check_package.sh BUILD_DIR VERSION [--deb]
set -euo pipefail
build=$1 version=$2 id=org.threewire.ThreeWire
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
tree=$(cd "$work/root" && find . -type f | sed 's|^\./||' | sort)
expected=$(printf '%s\n' usr/bin/threewire usr/share/applications/$id.desktop \
  usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/scalable/apps/$id.svg \
  usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128}/apps/$id.png \
  usr/share/man/{,zh_CN/}man1/threewire.1.gz | sort)
diff <(echo "$expected") <(echo "$tree")
[ -z "$(desktop-file-validate "$work/root/usr/share/applications/$id.desktop")" ]
appstreamcli validate-tree --no-net --pedantic "$work/root" | tee "$work/validate"
grep -qE '^[EW]: ' "$work/validate" && exit 1
echo "install tree: $(wc -l <<<"$tree") files, desktop entry and metainfo valid"
[ "${3:-}" = --deb ] || exit 0

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >/dev/null
deb=$work/out/threewire_${version}_$(dpkg --print-architecture).deb
contents=$(dpkg-deb -c "$deb" | awk '!/\/$/ { sub("^\\./", "", $6); print $6 }' | sort)
diff <(printf '%s\n' "$tree" usr/share/doc/threewire/{changelog.gz,copyright} | sort) <(echo "$contents")
echo "$(basename "$deb"): $(wc -l <<<"$contents") files"
