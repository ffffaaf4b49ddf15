#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installer under Wine (WINEPREFIX set): /S installs the program, the Start-menu shortcut and
# the Apps & features entry; the uninstaller's /S leaves nothing of them behind.
# Usage: check_installer.sh SETUP_EXE VERSION
set -euo pipefail
source "$(dirname "$0")/../../scripts/utf8-locale.sh"
export PATH=/usr/lib/wine:$PATH
dir="$WINEPREFIX/drive_c/Program Files/threewire"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/三针测量.lnk"
entry() {  # the Apps & features entry as UTF-8 lines, empty when there is none
  wine64 reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\threewire' \
    'C:\entry.reg' /y >/dev/null 2>&1 &&
    iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/drive_c/entry.reg" | tr -d '\r'
  rm -f "$WINEPREFIX/drive_c/entry.reg"
}

wine64 "$1" /S
wineserver -w
ls "$dir/threewire.exe" "$dir/uninstall.exe" "$shortcut"
installed=$(entry)
for value in '"DisplayName"="三针测量"' "\"DisplayVersion\"=\"$2\"" '"Publisher"="threewire' \
  '"DisplayIcon"="C:\\Program Files\\threewire\\threewire.exe' '"EstimatedSize"=dword:0000' \
  '"QuietUninstallString"="\"C:\\Program Files\\threewire\\uninstall.exe\" /S"'; do
  grep -qF "$value" <<<"$installed" || { echo "entry lacks $value: $installed" >&2; exit 1; }
done
echo "installed: $(find "$dir" -type f | wc -l) files, the shortcut, the entry"

wine64 'C:\Program Files\threewire\uninstall.exe' /S
wineserver -w
left=$(ls -d "$dir" "$shortcut" 2>/dev/null || true)$(entry)
[ -z "$left" ] || { echo "left behind: $left" >&2; exit 1; }
echo "uninstalled: no folder, no shortcut, no entry"
