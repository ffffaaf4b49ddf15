#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs a build into a temporary directory and checks that exactly the expected files arrive,
# with the right modes, that the desktop entry and the metainfo pass their validators, and that
# they agree with each other and with what is installed.
# Usage: check_install.sh BUILD_DIR PROJECT_VERSION
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR PROJECT_VERSION}
version=${2:?usage: $0 BUILD_DIR PROJECT_VERSION}
app_id=org.threewire.ThreeWire

missing=()
for tool in cmake desktop-file-validate appstreamcli file; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]})); then
  echo "FAIL: missing tools: ${missing[*]} (Debian: desktop-file-utils appstream file)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
if ! DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  echo "FAIL: cmake --install $build" >&2
  exit 1
fi

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The whole install, written out by hand: anything more or less is a fault.
expected=$(sort <<EOF
usr/bin/threewire
usr/share/applications/$app_id.desktop
usr/share/icons/hicolor/128x128/apps/$app_id.png
usr/share/icons/hicolor/16x16/apps/$app_id.png
usr/share/icons/hicolor/32x32/apps/$app_id.png
usr/share/icons/hicolor/48x48/apps/$app_id.png
usr/share/icons/hicolor/64x64/apps/$app_id.png
usr/share/icons/hicolor/scalable/apps/$app_id.svg
usr/share/metainfo/$app_id.metainfo.xml
EOF
)
actual=$(cd "$root" && find . ! -type d | sed 's|^\./||' | sort)
if [ "$actual" != "$expected" ]; then
  fail "installed files differ from the expected list (< expected, > installed):"
  diff <(echo "$expected") <(echo "$actual") >&2 || true
fi
empty_dirs=$(cd "$root" && find . -mindepth 1 -type d -empty)
[ -z "$empty_dirs" ] || fail "empty directories installed: $empty_dirs"

# Modes: the program executable by all, everything else readable by all and executable by none.
if [ -f "$root/usr/bin/threewire" ]; then
  [ "$(stat -c %a "$root/usr/bin/threewire")" = 755 ] || fail "usr/bin/threewire is not mode 755"
  file -b "$root/usr/bin/threewire" | grep -q '^ELF .*executable' ||
    fail "usr/bin/threewire is not an ELF executable: $(file -b "$root/usr/bin/threewire")"
fi
while read -r path; do
  [ "$path" = usr/bin/threewire ] && continue
  mode=$(stat -c %a "$root/$path")
  [ "$mode" = 644 ] || fail "$path has mode $mode, not 644"
done <<<"$actual"

# Each PNG's pixel size must be the one its directory promises, or icon themes mis-scale it.
for size in 16 32 48 64 128; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ -f "$png" ] || continue
  description=$(file -b "$png")
  [[ $description == "PNG image data, $size x $size,"* ]] ||
    fail "hicolor/${size}x${size} icon is not a ${size}x${size} PNG: $description"
done
svg=$root/usr/share/icons/hicolor/scalable/apps/$app_id.svg
[ ! -f "$svg" ] || file -b "$svg" | grep -q '^SVG' || fail "the scalable icon is not an SVG"

desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml

if [ -f "$desktop" ]; then
  # desktop-file-validate prints hints, warnings and errors; a clean file gives no output.
  out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate exited non-zero"
  [ -z "$out" ] || fail "desktop-file-validate: $out"

  key() { sed -n "s/^$1=//p" "$desktop"; }
  [ "$(key Type)" = Application ] || fail "desktop entry: Type is not Application"
  [ "$(key Name)" = ThreeWire ] || fail "desktop entry: Name is '$(key Name)'"
  [ "$(key 'Name\[zh_CN\]')" = 三针测量 ] || fail "desktop entry: Name[zh_CN] is '$(key 'Name\[zh_CN\]')'"
  exec_name=$(key Exec)
  [ -x "$root/usr/bin/${exec_name%% *}" ] || fail "desktop entry: Exec=$exec_name is not installed"
  # The icon name must resolve to an installed icon at each size.
  icon=$(key Icon)
  [ "$icon" = "$app_id" ] || fail "desktop entry: Icon=$icon is not $app_id"
  for dir in 16x16 32x32 48x48 64x64 128x128; do
    [ -f "$root/usr/share/icons/hicolor/$dir/apps/$icon.png" ] || fail "no $dir icon named $icon"
  done
  [ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
  # Qt on X11 names the window class after the executable; docks match windows by it.
  [ "$(key StartupWMClass)" = "${exec_name%% *}" ] ||
    fail "desktop entry: StartupWMClass=$(key StartupWMClass) does not match the executable"
  [ "$(key Terminal)" = false ] || fail "desktop entry: Terminal is not false"
fi

if [ -f "$metainfo" ]; then
  # Infos too: the file is clean of them, and one is how a missing content rating shows.
  out=$(appstreamcli validate --no-net "$metainfo" 2>&1) && status=0 || status=$?
  if [ "$status" -ne 0 ] || grep -qE '^(E|W|I): ' <<<"$out"; then
    fail "appstreamcli validate --no-net (exit $status): $out"
  fi
  # validate-tree also checks the metainfo against the desktop entry and icons beside it.
  out=$(appstreamcli validate-tree --no-net "$root" 2>&1) && status=0 || status=$?
  if [ "$status" -ne 0 ] || grep -qE '^(E|W|I): ' <<<"$out"; then
    fail "appstreamcli validate-tree --no-net (exit $status): $out"
  fi

  # One line per element in the file, so plain sed finds the values.
  [ "$(sed -n 's|^ *<id>\(.*\)</id>$|\1|p' "$metainfo")" = "$app_id" ] ||
    fail "metainfo: <id> is not $app_id"
  launchable=$(sed -n 's|^ *<launchable type="desktop-id">\(.*\)</launchable>$|\1|p' "$metainfo")
  [ "$launchable" = "$app_id.desktop" ] || fail "metainfo: launchable is '$launchable'"
  # The newest release named must be the version being built.
  newest=$(sed -n 's|^ *<release version="\([^"]*\)".*|\1|p' "$metainfo" | head -n 1)
  [ "$newest" = "$version" ] || fail "metainfo: newest release is '$newest', the project is $version"
  grep -q '<name xml:lang="zh-CN">三针测量</name>' "$metainfo" || fail "metainfo: no zh-CN name"
  grep -q '<binary>threewire</binary>' "$metainfo" || fail "metainfo: does not provide the binary"
  grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "metainfo: licence not MIT"
  grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "metainfo: no OARS 1.1 rating"
  grep -q '<image>https://[^<]*/screenshot\.png</image>' "$metainfo" || fail "metainfo: no screenshot"
fi

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install tree: $(wc -l <<<"$actual") files as expected; desktop entry and metainfo valid"
