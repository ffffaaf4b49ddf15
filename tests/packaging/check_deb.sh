#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a build tree with cpack, in a temporary directory, and checks
# its control fields, that it holds exactly the install tree (plus the copyright notice and
# changelog Debian requires), and that lintian finds no errors in it.
# Usage: check_deb.sh BUILD_DIR PROJECT_VERSION
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR PROJECT_VERSION}
version=${2:?usage: $0 BUILD_DIR PROJECT_VERSION}

missing=()
for tool in cmake cpack dpkg dpkg-deb dpkg-shlibdeps file lintian; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]})); then
  echo "FAIL: missing tools: ${missing[*]} (Debian: dpkg-dev file lintian)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
fi

arch=$(dpkg --print-architecture)
deb=$work/out/threewire_${version}_${arch}.deb
if [ ! -f "$deb" ]; then
  echo "FAIL: no $(basename "$deb"); cpack made: $(cd "$work/out" && ls -- *.deb 2>/dev/null)" >&2
  exit 1
fi

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = threewire ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)', not $arch"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Section)" ] || fail "no Section"
# A summary line and an extended description below it.
description=$(field Description)
[ "$(wc -l <<<"$description")" -ge 3 ] || fail "Description has no extended part: $description"

# Depends as a list of bare package names, so that "libc6" must be a whole entry, not a part.
depends=$(field Depends | tr ',' '\n' | sed -E 's/^ +//; s/[ (].*$//' | grep -v '^$' || true)
for package in libqt6widgets6 libqt6printsupport6 libc6 fonts-arphic-uming qt6-qpa-plugins \
  qt6-translations-l10n; do
  grep -qxF "$package" <<<"$depends" || fail "Depends lacks $package: $(field Depends)"
done

# The package's files: the install tree of the same build, plus /usr/share/doc/threewire.
DESTDIR=$work/tree cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 || {
  cat "$work/install.log" >&2
  fail "cmake --install"
}
expected=$( (cd "$work/tree" && find . ! -type d | sed 's|^\./||'
  printf '%s\n' usr/share/doc/threewire/changelog.gz usr/share/doc/threewire/copyright) | sort)
# dpkg-deb -c prints "mode owner/group size date time ./path"; directories end in /.
listing=$(dpkg-deb -c "$deb")
contents=$(awk '{ print $6 }' <<<"$listing" | grep -v '/$' | sed 's|^\./||' | sort)
if [ "$contents" != "$expected" ]; then
  fail "package contents differ from the install tree (< install tree, > package):"
  diff <(echo "$expected") <(echo "$contents") >&2 || true
fi
not_root=$(awk '$2 != "root/root"' <<<"$listing")
[ -z "$not_root" ] || fail "entries not owned by root: $not_root"

# The changelog must describe this version, or dpkg and apt show a stale one.
dpkg-deb -x "$deb" "$work/unpacked"
changelog=$work/unpacked/usr/share/doc/threewire/changelog.gz
if [ -f "$changelog" ]; then
  head_line=$(gzip -dc "$changelog" | head -n 1)
  [[ $head_line == "threewire ($version) "* ]] || fail "changelog starts with: $head_line"
fi
grep -q '^License: MIT$' "$work/unpacked/usr/share/doc/threewire/copyright" 2>/dev/null ||
  fail "copyright does not state the MIT licence"

# lintian: errors fail the test; warnings and notes are shown for whoever reads the log.
lintian_out=$(lintian "$deb" 2>&1) && lintian_status=0 || lintian_status=$?
[ -z "$lintian_out" ] || echo "$lintian_out"
grep -q '^E: ' <<<"$lintian_out" && fail "lintian reports errors"
# lintian exits 2 for errors (checked above by their E: lines) and 1 when it could not run.
[ "$lintian_status" -ne 1 ] || fail "lintian could not check the package"

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "$(basename "$deb"): fields, $(wc -l <<<"$contents") files and lintian as expected"
