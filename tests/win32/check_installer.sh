#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installer under Wine (WINEPREFIX set, a 32-bit or a 64-bit prefix): /S installs the program,
# the Start-menu shortcut and the Apps & features entry 三针测量; the entry's quiet uninstall leaves
# nothing of them behind. The program is 32-bit: a 64-bit Windows keeps it in Program Files (x86),
# and its entry in the registry's 32-bit view, which the 32-bit reg.exe reads.
# Usage: check_installer.sh SETUP_EXE VERSION
set -euo pipefail
source "$(dirname "$0")/../../scripts/utf8-locale.sh"
export PATH=/usr/lib/wine:$PATH
programs="$WINEPREFIX/drive_c/Program Files"
[ ! -d "$programs (x86)" ] || programs+=" (x86)"
dir="$programs/threewire"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/三针测量.lnk"
entry() {  # the Apps & features entry as UTF-8 lines, empty when there is none
  wine reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\threewire' \
    'C:\entry.reg' /y >/dev/null 2>&1 &&
    iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/drive_c/entry.reg" | tr -d '\r'
  rm -f "$WINEPREFIX/drive_c/entry.reg"
}

wine "$1" /S
wineserver -w
ls "$dir/threewire.exe" "$dir/uninstall.exe" "$shortcut"
installed=$(entry)
grep -qF '"DisplayName"="三针测量"' <<<"$installed" || { echo "no entry 三针测量: $installed" >&2; exit 1; }
echo "installed: $(find "$dir" -type f | wc -l) files, the shortcut, the entry"

# The entry's command, as Apps & features runs it: "C:\...\uninstall.exe" /S.
uninstall=$(sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' <<<"$installed" | sed 's/\\\(.\)/\1/g')
program=${uninstall#\"} && program=${program%%\"*}
wine "$program" ${uninstall##*\" }
wineserver -w
left=$(ls -d "$dir" "$shortcut" 2>/dev/null || true)$(entry)
[ -z "$left" ] || { echo "left behind: $left" >&2; exit 1; }
echo "uninstalled: no folder, no shortcut, no entry"
