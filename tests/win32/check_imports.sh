#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Whether Windows XP starts each program: check_imports.sh OBJDUMP CXX FILE.exe...
# Fails on a subsystem version above XP's, 5.01, on an import from a DLL that XP lacks, and on an
# import that the mingw-w64 headers declare only for a Windows later than XP: a name their text
# holds at _WIN32_WINNT 0x0A00 and not at 0x0501.
set -euo pipefail
objdump=$1 cxx=$2
shift 2
# The DLLs of Windows XP's own that a program here may import.
xp_dlls='^(advapi32|comctl32|comdlg32|gdi32|kernel32|msvcrt|ole32|oleaut32|shell32|shlwapi|user32|uxtheme|version)\.dll$'

names_at() {  # every word of the Windows headers preprocessed for Windows version $1
  { echo '#include <windows.h>'
    printf '#include <%s>\n' commctrl.h commdlg.h oleacc.h shellscalingapi.h shlobj.h uxtheme.h
  } | "$cxx" -x c++ -E -P -D_WIN32_WINNT="$1" -DWINVER="$1" - | grep -oE '\b[A-Za-z_]\w*\b' | sort -u
}
later=$(comm -13 <(names_at 0x0501) <(names_at 0x0A00))

status=0
fail() { echo "$file: $*" >&2; status=1; }
for file in "$@"; do
  header=$("$objdump" -p "$file")
  major=$(awk '/^MajorSubsystemVersion/ {print $2}' <<<"$header")
  minor=$(awk '/^MinorSubsystemVersion/ {print $2}' <<<"$header")
  version=$major.$(printf %02d "$minor")
  ((major * 100 + minor <= 501)) || fail "subsystem version $version, above Windows XP's 5.01"
  imports=$(awk '/DLL Name:/ {dll = $3} /^\t[0-9a-f]+\t/ {print dll, $NF}' <<<"$header")
  echo "$(basename "$file"): $(stat -c %s "$file") bytes, $(sed -n 's/.*file format //p' <<<"$header" | head -n 1)," \
    "subsystem $version, imports $(awk '{print $1}' <<<"$imports" | uniq -c |
                                    awk '{printf "%s%s %d", (NR > 1 ? ", " : ""), $2, $1}')"
  for dll in $(awk '{print $1}' <<<"$imports" | sort -u); do
    [[ ${dll,,} =~ $xp_dlls ]] || fail "imports from $dll, which Windows XP lacks"
  done
  for function in $(awk '{print $2}' <<<"$imports" | grep -xF "$later" || true); do
    fail "imports $function, which Windows XP lacks"
  done
done
exit "$status"
