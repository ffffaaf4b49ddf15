#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes a Wine prefix for the Windows program: scripts/wine-prefix.sh PREFIX [DPI BASE_PREFIX].
# With WINEARCH=win32 the prefix is 32-bit and reports Windows XP, the oldest Windows the program
# is for; with win64, 64-bit and Wine's default, Windows 10.
# Without BASE_PREFIX it boots a new prefix (wineboot, the slow part). With one, PREFIX gets its
# own registry, copied from BASE_PREFIX, and shares BASE_PREFIX's drive C: a second screen DPI
# costs a copy of three files. Either way the prefix gets:
# - AR PL UMing CN in place of SimSun (宋体), the Song face the window asks for, which Wine lacks;
# - unmanaged windows: Xvfb has no window manager, and Wine would wait for one at every window;
# - the screen's DPI, 96 when left out.
set -euo pipefail
prefix=$(realpath -m "$1")
dpi=${2:-96}
base=${3:+$(realpath "$3")}
if [ "${WINEARCH:-}" = win32 ]; then
  wine=/usr/lib/wine/wine version='"Version"="winxp"'
else
  wine=/usr/lib/wine/wine64 version=
fi
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

settings=$(mktemp --suffix=.reg)
trap 'rm -f "$settings"' EXIT
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
  '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
  '"SimSun"="AR PL UMing CN"' '"宋体"="AR PL UMing CN"' '' \
  '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
  '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" '' \
  '[HKEY_CURRENT_USER\Software\Wine]' $version '' |
  iconv -f UTF-8 -t UTF-16 >"$settings"

configure() { "$wine" regedit /S "Z:${settings//\//\\}"; }

# A prefix's first boot has been seen to fail at random (Wine exits with 53: kernel32.dll not
# loaded). The boot and the first settings are logged, the log shown when they fail, and a failed
# prefix is booted once more from scratch.
boot_and_configure() {
  local log=$prefix.boot.log attempt status
  for attempt in 1 2; do
    status=0
    { WINEDEBUG=fixme-all "$wine" wineboot --init && configure; } >"$log" 2>&1 || status=$?
    [ "$status" -ne 0 ] || return 0
    echo "booting the Wine prefix $prefix failed with $status (attempt $attempt); Wine printed:" >&2
    tail -n 40 "$log" >&2
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
  done
  return "$status"
}

if [ -f "$prefix/system.reg" ]; then
  configure
elif [ -n "$base" ]; then
  mkdir -p "$prefix"
  cp -a "$base/.update-timestamp" "$base"/*.reg "$base/dosdevices" "$prefix/"
  ln -sfn "$base/drive_c" "$prefix/drive_c"
  configure
else
  boot_and_configure
fi
# The registry reaches its files when the prefix's server ends.
/usr/lib/wine/wineserver -w
